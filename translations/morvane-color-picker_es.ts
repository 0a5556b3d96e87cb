<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AppcastUpdater</name>
    <message>
        <source>The application&apos;s update key is not valid.</source>
        <translation>La clave de actualización de la aplicación no es válida.</translation>
    </message>
    <message>
        <source>The update %1 is too large to download unasked.</source>
        <translation>La actualización %1 es demasiado grande para descargarla sin preguntar.</translation>
    </message>
    <message>
        <source>%1 is older than a version already offered or installed (%2).</source>
        <translation>%1 es anterior a una versión ya ofrecida o instalada (%2).</translation>
    </message>
</context>
<context>
    <name>ColorPickerModel</name>
    <message>
        <source>No color on the clipboard</source>
        <translation>No hay ningún color en el portapapeles</translation>
    </message>
    <message>
        <source>Color pasted</source>
        <translation>Color pegado</translation>
    </message>
    <message>
        <source>Hex copied</source>
        <translation>HEX copiado</translation>
    </message>
    <message>
        <source>Recent colors cleared · Undo</source>
        <translation>Colores recientes borrados · Deshacer</translation>
    </message>
    <message>
        <source>Recent colors restored</source>
        <translation>Colores recientes restaurados</translation>
    </message>
</context>
<context>
    <name>ColorTemplate</name>
    <message>
        <source>the template is empty</source>
        <translation>la plantilla está vacía</translation>
    </message>
    <message>
        <source>a lone &quot;}&quot; (write &quot;}}&quot; for a brace)</source>
        <translation>una «}» suelta (escriba «}}» para una llave)</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without its &quot;}&quot; (write &quot;{{&quot; for a brace)</source>
        <translation>una «{» sin su «}» (escriba «{{» para una llave)</translation>
    </message>
    <message>
        <source>unknown placeholder &quot;{%1}&quot;</source>
        <translation>marcador desconocido «{%1}»</translation>
    </message>
</context>
<context>
    <name>CommandLineReply</name>
    <message>
        <source>Morvane Color Picker %1
</source>
        <translation>Morvane Color Picker %1
</translation>
    </message>
    <message>
        <source>pick a color in the running copy (starting one if need
be), print its hex and exit; exit status 1 when cancelled</source>
        <translation>tomar un color en la copia en marcha (iniciando una si hace
falta), mostrar su hex y salir; estado 1 si se cancela</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>with --pick or --convert: print the color in notation ID
instead of hex</source>
        <translation>con --pick o --convert: mostrar el color en la notación ID
en lugar de hex</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>COLOR</translation>
    </message>
    <message>
        <source>print COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) in
another notation, without a display; with - read one
color a line from standard input (exit status 2 when a
line is no color)</source>
        <translation>mostrar COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) en
otra notación, sin pantalla; con - leer un color por
línea de la entrada estándar (estado 2 si una línea no
es un color)</translation>
    </message>
    <message>
        <source>list the notation ids and labels</source>
        <translation>listar los identificadores y nombres de las notaciones</translation>
    </message>
    <message>
        <source>open the settings window</source>
        <translation>abrir la ventana de ajustes</translation>
    </message>
    <message>
        <source>check that the application starts, then quit</source>
        <translation>comprobar que la aplicación se inicia y salir</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>mostrar esta ayuda y salir</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>mostrar la versión y salir</translation>
    </message>
    <message>
        <source>Usage: morvane-color-picker [OPTION]
Pick any color on your screen, right from the tray.
</source>
        <translation>Uso: morvane-color-picker [OPCIÓN]
Tome cualquier color de la pantalla, directamente desde la bandeja.
</translation>
    </message>
    <message>
        <source>Without an option the picker starts in the tray; a second launch opens
the running copy&apos;s panel.
</source>
        <translation>Sin opciones, el selector se inicia en la bandeja; un segundo inicio abre
el panel de la copia en marcha.
</translation>
    </message>
</context>
<context>
    <name>ContrastSample</name>
    <message>
        <source>Sample text</source>
        <translation>Texto de ejemplo</translation>
    </message>
</context>
<context>
    <name>ContrastSection</name>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Contrast with %1</source>
        <translation>Contraste con %1</translation>
    </message>
    <message>
        <source>AA normal text</source>
        <translation>AA texto normal</translation>
    </message>
    <message>
        <source>AA large text</source>
        <translation>AA texto grande</translation>
    </message>
    <message>
        <source>AAA normal text</source>
        <translation>AAA texto normal</translation>
    </message>
    <message>
        <source>AAA large text</source>
        <translation>AAA texto grande</translation>
    </message>
    <message>
        <source>Non-text</source>
        <translation>No textual</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Cumple</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>No cumple</translation>
    </message>
    <message>
        <source>Contrast ratio %1</source>
        <translation>Relación de contraste %1</translation>
    </message>
</context>
<context>
    <name>DeferredUpdateFramework</name>
    <message>
        <source>The updater is missing or damaged; reinstalling the application should restore it.</source>
        <translation>El actualizador falta o está dañado; reinstalar la aplicación debería restaurarlo.</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal), and no session bus (D-Bus) is running to reach it.</source>
        <translation>Tomar colores de la pantalla necesita el portal del escritorio (xdg-desktop-portal), y no hay ningún bus de sesión (D-Bus) en marcha para llegar a él.</translation>
    </message>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal) with a screenshot back-end.</source>
        <translation>Tomar colores de la pantalla necesita el portal del escritorio (xdg-desktop-portal) con un motor de capturas.</translation>
    </message>
    <message>
        <source>Screen picking needs a screenshot back-end for the desktop portal that can pick colours (for instance xdg-desktop-portal-gnome, -kde or -wlr); the portal here has none.</source>
        <translation>Tomar colores de la pantalla necesita un motor de capturas para el portal del escritorio que pueda tomar colores (por ejemplo xdg-desktop-portal-gnome, -kde o -wlr); el portal de aquí no tiene ninguno.</translation>
    </message>
    <message>
        <source>Screen picking needs a newer desktop portal: its screenshot interface is version %1, and picking colours needs version 2.</source>
        <translation>Tomar colores de la pantalla necesita un portal del escritorio más reciente: su interfaz de capturas es la versión %1, y tomar colores necesita la versión 2.</translation>
    </message>
    <message>
        <source>The desktop portal could not pick a colour: its screenshot back-end failed or is missing.</source>
        <translation>El portal del escritorio no pudo tomar un color: su motor de capturas falló o no está.</translation>
    </message>
    <message>
        <source>The desktop portal stopped during the pick.</source>
        <translation>El portal del escritorio se detuvo durante la toma.</translation>
    </message>
    <message>
        <source>Screen picking on %1 needs the desktop portal&apos;s wlroots back-end: install xdg-desktop-portal-wlr with grim and slurp, then log in again.</source>
        <translation>Tomar colores de la pantalla en %1 necesita el motor wlroots del portal del escritorio: instale xdg-desktop-portal-wlr con grim y slurp y vuelva a iniciar sesión.</translation>
    </message>
    <message>
        <source>%1&apos;s desktop portal cannot pick colours yet. In an X11 session (chosen at the login screen) the picker reads the screen itself.</source>
        <translation>El portal del escritorio de %1 aún no puede tomar colores. En una sesión X11 (elegida en la pantalla de inicio de sesión) el selector lee la pantalla por sí mismo.</translation>
    </message>
    <message>
        <source>Screen picking on GNOME needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-gnome, then log in again.</source>
        <translation>Tomar colores de la pantalla en GNOME necesita el portal del escritorio: instale xdg-desktop-portal y xdg-desktop-portal-gnome y vuelva a iniciar sesión.</translation>
    </message>
    <message>
        <source>Screen picking on KDE Plasma needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-kde, then log in again.</source>
        <translation>Tomar colores de la pantalla en KDE Plasma necesita el portal del escritorio: instale xdg-desktop-portal y xdg-desktop-portal-kde y vuelva a iniciar sesión.</translation>
    </message>
</context>
<context>
    <name>FormatPreferences</name>
    <message>
        <source>the format needs a name</source>
        <translation>el formato necesita un nombre</translation>
    </message>
    <message>
        <source>a format named &quot;%1&quot; exists</source>
        <translation>ya existe un formato llamado «%1»</translation>
    </message>
</context>
<context>
    <name>FormatsSection</name>
    <message>
        <source>Formats</source>
        <translation>Formatos</translation>
    </message>
    <message>
        <source>Formats shown in the panel</source>
        <translation>Formatos mostrados en el panel</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Bajar</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Copied on a pick</source>
        <translation>Copiado al tomar</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ and }} for braces</source>
        <translation>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ y }} para las llaves</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Your own</source>
        <translation>Propios</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>No añadido: %1.</translation>
    </message>
    <message>
        <source>Name of your own format</source>
        <translation>Nombre del formato propio</translation>
    </message>
    <message>
        <source>Template of your own format</source>
        <translation>Plantilla del formato propio</translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>Open the web picker</source>
        <translation>Abrir el selector web</translation>
    </message>
    <message>
        <source>Open the web color picker in your browser</source>
        <translation>Abrir el selector de color web en el navegador</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Quit Morvane Color Picker</source>
        <translation>Salir de Morvane Color Picker</translation>
    </message>
</context>
<context>
    <name>PickButton</name>
    <message>
        <source>Pick a color</source>
        <translation>Tomar un color</translation>
    </message>
    <message>
        <source>Pick a color from the screen</source>
        <translation>Tomar un color de la pantalla</translation>
    </message>
</context>
<context>
    <name>PickKeySection</name>
    <message>
        <source>Pick a color with a key</source>
        <translation>Tomar un color con una tecla</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Key that picks a color</source>
        <translation>Tecla que toma un color</translation>
    </message>
    <message>
        <source>Command that picks a color</source>
        <translation>Comando que toma un color</translation>
    </message>
</context>
<context>
    <name>PickShortcut</name>
    <message>
        <source>Asking the desktop for %1…</source>
        <translation>Pidiendo %1 al escritorio…</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color. Change it in the desktop&apos;s keyboard settings.</source>
        <translation>Pulse %1 en cualquier lugar para tomar un color. Cámbielo en los ajustes de teclado del escritorio.</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color.</source>
        <translation>Pulse %1 en cualquier lugar para tomar un color.</translation>
    </message>
    <message>
        <source>%1 is already taken by another program. Choose another key.</source>
        <translation>%1 ya lo usa otro programa. Elija otra tecla.</translation>
    </message>
    <message>
        <source>The desktop was not allowed to bind %1. Choose a key again to be asked again.</source>
        <translation>Al escritorio no se le permitió asignar %1. Elija una tecla de nuevo para que se vuelva a preguntar.</translation>
    </message>
    <message>
        <source>The desktop could not bind %1: %2</source>
        <translation>El escritorio no pudo asignar %1: %2</translation>
    </message>
    <message>
        <source>This desktop does not let the picker bind a key itself. Bind this command to a key in the desktop&apos;s keyboard settings:</source>
        <translation>Este escritorio no deja que el selector asigne una tecla por sí mismo. Asigne esta orden a una tecla en los ajustes de teclado del escritorio:</translation>
    </message>
    <message>
        <source>Morvane Color Picker keeps running, so %1 still picks a color. To see this window again, open Morvane Color Picker from the application menu. Close the window again to hide it.</source>
        <translation>Morvane Color Picker sigue en marcha, así que %1 sigue tomando un color. Para volver a ver esta ventana, abra Morvane Color Picker desde el menú de aplicaciones. Cierre de nuevo la ventana para ocultarla.</translation>
    </message>
</context>
<context>
    <name>PickerPanel</name>
    <message>
        <source>Morvane Color Picker</source>
        <translation>Morvane Color Picker</translation>
    </message>
</context>
<context>
    <name>PickerView</name>
    <message>
        <source>Paste color</source>
        <translation>Pegar color</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
</context>
<context>
    <name>PickerWindow</name>
    <message>
        <source>Morvane Color Picker</source>
        <translation>Morvane Color Picker</translation>
    </message>
</context>
<context>
    <name>PortalGlobalShortcut</name>
    <message>
        <source>the desktop portal stopped</source>
        <translation>el portal del escritorio se detuvo</translation>
    </message>
    <message>
        <source>it did not start a shortcut session</source>
        <translation>no inició una sesión de atajos</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Tomar un color</translation>
    </message>
    <message>
        <source>it refused the shortcut</source>
        <translation>rechazó el atajo</translation>
    </message>
    <message>
        <source>its answer could not be received</source>
        <translation>no se pudo recibir su respuesta</translation>
    </message>
</context>
<context>
    <name>RecentChip</name>
    <message>
        <source>Use recent color %1</source>
        <translation>Usar el color reciente %1</translation>
    </message>
    <message>
        <source>Recent color %1, %2 of %3</source>
        <translation>Color reciente %1, %2 de %3</translation>
    </message>
    <message>
        <source>Compare contrast</source>
        <translation>Comparar contraste</translation>
    </message>
    <message>
        <source>Compare with a new pick</source>
        <translation>Comparar con un color nuevo</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Clear recent colors</source>
        <translation>Borrar colores recientes</translation>
    </message>
</context>
<context>
    <name>RecentsSection</name>
    <message>
        <source>Recent</source>
        <translation>Recientes</translation>
    </message>
</context>
<context>
    <name>RelocationWarning</name>
    <message>
        <source>Move %1 to Applications</source>
        <translation>Mover %1 a Aplicaciones</translation>
    </message>
    <message>
        <source>To enable automatic updates, please drag %1 to your Applications folder, then relaunch.</source>
        <translation>Para activar las actualizaciones automáticas, arrastre %1 a su carpeta Aplicaciones y vuelva a abrirlo.</translation>
    </message>
    <message>
        <source>Reveal in Finder</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Más tarde</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Iniciar al iniciar sesión</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Actualizaciones</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>Get early-access updates</source>
        <translation>Recibir versiones anticipadas</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Pick any color on your screen, right from the menu bar.</source>
        <translation>Tome cualquier color de la pantalla, directamente desde la barra de menús.</translation>
    </message>
    <message>
        <source>Recent colors to keep</source>
        <translation>Colores recientes que guardar</translation>
    </message>
    <message>
        <source>Picking</source>
        <translation>Toma de color</translation>
    </message>
</context>
<context>
    <name>SignedFeed</name>
    <message>
        <source>The update feed is not signed with the application&apos;s key.</source>
        <translation>El canal de actualizaciones no está firmado con la clave de la aplicación.</translation>
    </message>
    <message>
        <source>The update feed could not be read.</source>
        <translation>No se pudo leer el canal de actualizaciones.</translation>
    </message>
</context>
<context>
    <name>SwatchView</name>
    <message>
        <source>Current color %1</source>
        <translation>Color actual %1</translation>
    </message>
    <message>
        <source>No color picked yet</source>
        <translation>Aún no se ha tomado ningún color</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Color Picker</source>
        <translation>Abrir el selector de color</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Tomar un color</translation>
    </message>
    <message>
        <source>Paste color</source>
        <translation>Pegar color</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Ajustes…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Morvane Color Picker</source>
        <translation>Morvane Color Picker</translation>
    </message>
</context>
<context>
    <name>UpdateDownload</name>
    <message>
        <source>The update %1 is not signed.</source>
        <translation>La actualización %1 no está firmada.</translation>
    </message>
    <message>
        <source>The feed gives no size for the update %1.</source>
        <translation>El canal no indica el tamaño de la actualización %1.</translation>
    </message>
    <message>
        <source>The update could not be saved: no private folder.</source>
        <translation>No se pudo guardar la actualización: no hay carpeta privada.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>No se pudo guardar la actualización: %1</translation>
    </message>
    <message>
        <source>The update %1 does not have the size the feed gives.</source>
        <translation>La actualización %1 no tiene el tamaño que indica el canal.</translation>
    </message>
    <message>
        <source>The update %1 is improperly signed and was not offered.</source>
        <translation>La actualización %1 está mal firmada y no se ofreció.</translation>
    </message>
</context>
<context>
    <name>UpdateInstaller</name>
    <message>
        <source>The update could not be installed: %1</source>
        <translation>No se pudo instalar la actualización: %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>no se puede crear %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>no se puede escribir %1</translation>
    </message>
</context>
<context>
    <name>UpdateTransfer</name>
    <message>
        <source>The update address %1 does not use HTTPS.</source>
        <translation>La dirección de actualización %1 no usa HTTPS.</translation>
    </message>
    <message>
        <source>The update server redirected to %1, which is not allowed.</source>
        <translation>El servidor de actualizaciones redirigió a %1, lo que no está permitido.</translation>
    </message>
    <message>
        <source>The update server did not finish sending in time.</source>
        <translation>El servidor de actualizaciones no terminó de enviar a tiempo.</translation>
    </message>
    <message>
        <source>The update server sent more data than expected.</source>
        <translation>El servidor de actualizaciones envió más datos de los esperados.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>No se pudo guardar la actualización: %1</translation>
    </message>
</context>
<context>
    <name>UpdaterService</name>
    <message>
        <source>Update check failed: %1</source>
        <translation>Falló la búsqueda de actualizaciones: %1</translation>
    </message>
</context>
<context>
    <name>ValueRow</name>
    <message>
        <source>Copy %1 value</source>
        <translation>Copiar el valor %1</translation>
    </message>
    <message>
        <source>%1 copied</source>
        <translation>%1 copiado</translation>
    </message>
    <message>
        <source>Copy %1 %2</source>
        <translation>Copiar %1 %2</translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>Copying…</source>
        <translation>Copiando…</translation>
    </message>
    <message>
        <source>Morvane Color Picker</source>
        <translation>Morvane Color Picker</translation>
    </message>
</context>
<context>
    <name>WidgetUpdateUserDriver</name>
    <message>
        <source>Release notes</source>
        <translation>Notas de la versión</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>¡Está al día!</translation>
    </message>
    <message>
        <source>%1 %2 is currently the newest version available.</source>
        <translation>%1 %2 es actualmente la versión más reciente disponible.</translation>
    </message>
    <message>
        <source>Update Error!</source>
        <translation>¡Error de actualización!</translation>
    </message>
    <message>
        <source>Update downloaded</source>
        <translation>Actualización descargada</translation>
    </message>
    <message>
        <source>%1 %2 was downloaded and verified:
%3

Replace the installed copy with it and start it again to finish updating.</source>
        <translation>%1 %2 se descargó y verificó:
%3

Sustituya la copia instalada por esta y vuelva a iniciarla para terminar de actualizar.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Actualización de software</translation>
    </message>
    <message>
        <source>A new version of %1 is available!</source>
        <translation>¡Hay una nueva versión de %1 disponible!</translation>
    </message>
    <message>
        <source>%1 %2 is now available; you have %3. Would you like to install it now?</source>
        <translation>%1 %2 ya está disponible; tiene %3. ¿Quiere instalarla ahora?</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Omitir esta versión</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Más tarde</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Instalar</translation>
    </message>
</context>
<context>
    <name>X11GlobalShortcut</name>
    <message>
        <source>this keyboard has no such key</source>
        <translation>este teclado no tiene esa tecla</translation>
    </message>
</context>
</TS>
