# Install rules of the application (executable, desktop entry, icons, AppStream metadata,
# manual page) and its Debian package, built by CPack from the same rules:
#   cmake --install BUILD --prefix /usr/local
#   cpack --config BUILD/CPackConfig.cmake     (a Debian package in BUILD/packages)
include(GNUInstallDirs)
find_package(Qt6 6.4 REQUIRED COMPONENTS Gui Svg)

set(MORVANE_APP_ID dev.morvane.colorpicker)
set(MORVANE_PACKAGE_NAME morvane-color-picker)
set(packaging_source ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_build ${PROJECT_BINARY_DIR}/packaging)

# The hicolor PNGs are rendered from the scalable icon at build time, so they never drift
# from it.
add_executable(morvane-icon-render ${packaging_source}/IconRender.cpp)
target_link_libraries(morvane-icon-render PRIVATE Qt6::Gui Qt6::Svg)
set(MORVANE_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_pngs "")
foreach(size IN LISTS MORVANE_ICON_SIZES)
    list(APPEND icon_pngs ${packaging_build}/icons/${size}x${size}/apps/${MORVANE_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
    COMMAND morvane-icon-render ${packaging_source}/${MORVANE_APP_ID}.svg
        ${packaging_build}/icons ${MORVANE_ICON_SIZES}
    DEPENDS morvane-icon-render ${packaging_source}/${MORVANE_APP_ID}.svg
    COMMENT "Rendering the application icon"
    VERBATIM)

# The manual page and the package's change log carry the project version; both are installed
# compressed, as Debian wants them (gzip -n: no name or time stamp, so builds are repeatable).
# The page's option list is written from the command-line table (core/CommandLineOptions).
configure_file(${packaging_source}/${MORVANE_PACKAGE_NAME}.1.in
    ${packaging_build}/${MORVANE_PACKAGE_NAME}.1.template @ONLY)
add_executable(morvane-manual-page ${packaging_source}/ManualPage.cpp)
target_link_libraries(morvane-manual-page PRIVATE morvane_command_line)
add_custom_command(OUTPUT ${packaging_build}/${MORVANE_PACKAGE_NAME}.1
    COMMAND morvane-manual-page ${packaging_build}/${MORVANE_PACKAGE_NAME}.1.template
        ${packaging_build}/${MORVANE_PACKAGE_NAME}.1
    DEPENDS morvane-manual-page ${packaging_build}/${MORVANE_PACKAGE_NAME}.1.template
    COMMENT "Writing the manual page"
    VERBATIM)
set(MORVANE_MANUAL_PAGE ${packaging_build}/${MORVANE_PACKAGE_NAME}.1)
add_custom_target(morvane_manual_page DEPENDS ${MORVANE_MANUAL_PAGE})
configure_file(${packaging_source}/changelog.in ${packaging_build}/changelog @ONLY)
set(compressed "")
foreach(file ${MORVANE_PACKAGE_NAME}.1 changelog)
    add_custom_command(OUTPUT ${packaging_build}/${file}.gz
        COMMAND gzip -9nkf ${packaging_build}/${file}
        DEPENDS ${packaging_build}/${file}
        VERBATIM)
    list(APPEND compressed ${packaging_build}/${file}.gz)
endforeach()
add_custom_target(morvane_install_data ALL DEPENDS ${icon_pngs} ${compressed})

install(TARGETS morvane-color-picker RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The application module and the updater module, private to the application: found from the
# executable's folder by the path between the two install folders
# (MORVANE_UPDATER_MODULE_FROM_BIN). Not executable, as Debian wants shared objects.
install(TARGETS morvane-updater morvane-color-picker-app
    LIBRARY DESTINATION ${MORVANE_UPDATER_MODULE_DIR}
    PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${MORVANE_QM_FILES} DESTINATION ${MORVANE_TRANSLATIONS_DIR})
install(FILES ${packaging_source}/${MORVANE_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_source}/${MORVANE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_source}/${MORVANE_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS MORVANE_ICON_SIZES)
    install(FILES ${packaging_build}/icons/${size}x${size}/apps/${MORVANE_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
# The monochrome eyedropper, for panels that draw a themed symbolic icon.
install(FILES ${packaging_source}/${MORVANE_APP_ID}-symbolic.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/symbolic/apps)
install(FILES ${packaging_build}/${MORVANE_PACKAGE_NAME}.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_source}/copyright ${packaging_build}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${MORVANE_PACKAGE_NAME})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME ${MORVANE_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Morvane)
set(CPACK_PACKAGE_CONTACT "Morvane <colorpicker@morvane.dev>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "color picker for the system tray")
set(CPACK_PACKAGE_DESCRIPTION
    "Morvane Color Picker lives in the system tray: press \"Pick a color\", click any
pixel on any screen, and the color's hex code is on the clipboard at once.
The panel shows the color with its HEX, RGB and HSL notations, each copyable
with one click, and keeps the eight most recent colors across restarts.

On X11 it picks through its own magnifier overlay; on Wayland through the
desktop portal (xdg-desktop-portal with the GNOME or KDE back-end).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_OUTPUT_FILE_PREFIX packages)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://morvane.dev/colorpicker)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wayland picking needs the portal and a back-end that implements its colour picker (the
# wlroots one picks with grim and slurp); the Wayland platform plugin lets the tray item run
# natively there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "xdg-desktop-portal, xdg-desktop-portal-gnome | xdg-desktop-portal-kde | xdg-desktop-portal-wlr, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "grim, slurp")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
