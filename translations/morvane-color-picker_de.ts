<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AppcastUpdater</name>
    <message>
        <source>The application&apos;s update key is not valid.</source>
        <translation>Der Update-Schlüssel der Anwendung ist ungültig.</translation>
    </message>
    <message>
        <source>The update %1 is too large to download unasked.</source>
        <translation>Das Update %1 ist zu groß, um es ungefragt herunterzuladen.</translation>
    </message>
    <message>
        <source>%1 is older than a version already offered or installed (%2).</source>
        <translation>%1 ist älter als eine bereits angebotene oder installierte Version (%2).</translation>
    </message>
</context>
<context>
    <name>ColorPickerModel</name>
    <message>
        <source>No color on the clipboard</source>
        <translation>Keine Farbe in der Zwischenablage</translation>
    </message>
    <message>
        <source>Color pasted</source>
        <translation>Farbe eingefügt</translation>
    </message>
    <message>
        <source>Hex copied</source>
        <translation>HEX kopiert</translation>
    </message>
    <message>
        <source>Recent colors cleared · Undo</source>
        <translation>Verlauf gelöscht · Rückgängig</translation>
    </message>
    <message>
        <source>Recent colors restored</source>
        <translation>Verlauf wiederhergestellt</translation>
    </message>
</context>
<context>
    <name>ColorTemplate</name>
    <message>
        <source>the template is empty</source>
        <translation>die Vorlage ist leer</translation>
    </message>
    <message>
        <source>a lone &quot;}&quot; (write &quot;}}&quot; for a brace)</source>
        <translation>ein einzelnes „}“ (für eine Klammer „}}“ schreiben)</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without its &quot;}&quot; (write &quot;{{&quot; for a brace)</source>
        <translation>ein „{“ ohne sein „}“ (für eine Klammer „{{“ schreiben)</translation>
    </message>
    <message>
        <source>unknown placeholder &quot;{%1}&quot;</source>
        <translation>unbekannter Platzhalter „{%1}“</translation>
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
        <translation>eine Farbe in der laufenden Kopie wählen (startet bei Bedarf
eine), ihren Hex-Wert ausgeben und beenden; Status 1 bei Abbruch</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>with --pick or --convert: print the color in notation ID
instead of hex</source>
        <translation>mit --pick oder --convert: die Farbe in der Schreibweise ID
statt als Hex ausgeben</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>FARBE</translation>
    </message>
    <message>
        <source>print COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) in
another notation, without a display; with - read one
color a line from standard input (exit status 2 when a
line is no color)</source>
        <translation>FARBE (hex, rgb, CSS rgb(), vec3, int, 0x...) in einer anderen
Schreibweise ausgeben, ohne Bildschirm; mit - eine Farbe je
Zeile von der Standardeingabe lesen (Status 2, wenn eine
Zeile keine Farbe ist)</translation>
    </message>
    <message>
        <source>list the notation ids and labels</source>
        <translation>die IDs und Bezeichnungen der Schreibweisen auflisten</translation>
    </message>
    <message>
        <source>open the settings window</source>
        <translation>das Einstellungsfenster öffnen</translation>
    </message>
    <message>
        <source>check that the application starts, then quit</source>
        <translation>prüfen, ob die Anwendung startet, dann beenden</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>diese Hilfe zeigen und beenden</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>die Version zeigen und beenden</translation>
    </message>
    <message>
        <source>Usage: morvane-color-picker [OPTION]
Pick any color on your screen, right from the tray.
</source>
        <translation>Aufruf: morvane-color-picker [OPTION]
Wählen Sie eine beliebige Farbe auf dem Bildschirm, direkt aus der Leiste.
</translation>
    </message>
    <message>
        <source>Without an option the picker starts in the tray; a second launch opens
the running copy&apos;s panel.
</source>
        <translation>Ohne Option startet der Farbwähler in der Leiste; ein zweiter Start öffnet
das Feld der laufenden Kopie.
</translation>
    </message>
</context>
<context>
    <name>ContrastSample</name>
    <message>
        <source>Sample text</source>
        <translation>Beispieltext</translation>
    </message>
</context>
<context>
    <name>ContrastSection</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Contrast with %1</source>
        <translation>Kontrast zu %1</translation>
    </message>
    <message>
        <source>AA normal text</source>
        <translation>AA Normaltext</translation>
    </message>
    <message>
        <source>AA large text</source>
        <translation>AA großer Text</translation>
    </message>
    <message>
        <source>AAA normal text</source>
        <translation>AAA Normaltext</translation>
    </message>
    <message>
        <source>AAA large text</source>
        <translation>AAA großer Text</translation>
    </message>
    <message>
        <source>Non-text</source>
        <translation>Nicht-Text</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Erfüllt</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Nicht erfüllt</translation>
    </message>
    <message>
        <source>Contrast ratio %1</source>
        <translation>Kontrastverhältnis %1</translation>
    </message>
</context>
<context>
    <name>DeferredUpdateFramework</name>
    <message>
        <source>The updater is missing or damaged; reinstalling the application should restore it.</source>
        <translation>Das Update-Modul fehlt oder ist beschädigt; eine Neuinstallation der Anwendung sollte es wiederherstellen.</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal), and no session bus (D-Bus) is running to reach it.</source>
        <translation>Das Farbwählen auf dem Bildschirm braucht das Desktop-Portal (xdg-desktop-portal), und es läuft kein Sitzungsbus (D-Bus), um es zu erreichen.</translation>
    </message>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal) with a screenshot back-end.</source>
        <translation>Das Farbwählen auf dem Bildschirm braucht das Desktop-Portal (xdg-desktop-portal) mit einem Bildschirmfoto-Backend.</translation>
    </message>
    <message>
        <source>Screen picking needs a screenshot back-end for the desktop portal that can pick colours (for instance xdg-desktop-portal-gnome, -kde or -wlr); the portal here has none.</source>
        <translation>Das Farbwählen auf dem Bildschirm braucht ein Bildschirmfoto-Backend für das Desktop-Portal, das Farben wählen kann (etwa xdg-desktop-portal-gnome, -kde oder -wlr); das Portal hier hat keines.</translation>
    </message>
    <message>
        <source>Screen picking needs a newer desktop portal: its screenshot interface is version %1, and picking colours needs version 2.</source>
        <translation>Das Farbwählen auf dem Bildschirm braucht ein neueres Desktop-Portal: Seine Bildschirmfoto-Schnittstelle hat Version %1, das Farbwählen braucht Version 2.</translation>
    </message>
    <message>
        <source>The desktop portal could not pick a colour: its screenshot back-end failed or is missing.</source>
        <translation>Das Desktop-Portal konnte keine Farbe wählen: Sein Bildschirmfoto-Backend ist fehlgeschlagen oder fehlt.</translation>
    </message>
    <message>
        <source>The desktop portal stopped during the pick.</source>
        <translation>Das Desktop-Portal wurde während des Wählens beendet.</translation>
    </message>
    <message>
        <source>Screen picking on %1 needs the desktop portal&apos;s wlroots back-end: install xdg-desktop-portal-wlr with grim and slurp, then log in again.</source>
        <translation>Das Farbwählen auf %1 braucht das wlroots-Backend des Desktop-Portals: Installieren Sie xdg-desktop-portal-wlr mit grim und slurp und melden Sie sich neu an.</translation>
    </message>
    <message>
        <source>%1&apos;s desktop portal cannot pick colours yet. In an X11 session (chosen at the login screen) the picker reads the screen itself.</source>
        <translation>Das Desktop-Portal von %1 kann noch keine Farben wählen. In einer X11-Sitzung (im Anmeldebildschirm gewählt) liest der Farbwähler den Bildschirm selbst.</translation>
    </message>
    <message>
        <source>Screen picking on GNOME needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-gnome, then log in again.</source>
        <translation>Das Farbwählen unter GNOME braucht das Desktop-Portal: Installieren Sie xdg-desktop-portal und xdg-desktop-portal-gnome und melden Sie sich neu an.</translation>
    </message>
    <message>
        <source>Screen picking on KDE Plasma needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-kde, then log in again.</source>
        <translation>Das Farbwählen unter KDE Plasma braucht das Desktop-Portal: Installieren Sie xdg-desktop-portal und xdg-desktop-portal-kde und melden Sie sich neu an.</translation>
    </message>
</context>
<context>
    <name>FormatPreferences</name>
    <message>
        <source>the format needs a name</source>
        <translation>das Format braucht einen Namen</translation>
    </message>
    <message>
        <source>a format named &quot;%1&quot; exists</source>
        <translation>ein Format namens „%1“ gibt es schon</translation>
    </message>
</context>
<context>
    <name>FormatsSection</name>
    <message>
        <source>Formats</source>
        <translation>Formate</translation>
    </message>
    <message>
        <source>Formats shown in the panel</source>
        <translation>Im Feld gezeigte Formate</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Copied on a pick</source>
        <translation>Beim Wählen kopiert</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ and }} for braces</source>
        <translation>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ und }} für Klammern</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Your own</source>
        <translation>Eigene</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>Nicht hinzugefügt: %1.</translation>
    </message>
    <message>
        <source>Name of your own format</source>
        <translation>Name des eigenen Formats</translation>
    </message>
    <message>
        <source>Template of your own format</source>
        <translation>Vorlage des eigenen Formats</translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>Open the web picker</source>
        <translation>Web-Farbwähler öffnen</translation>
    </message>
    <message>
        <source>Open the web color picker in your browser</source>
        <translation>Den Web-Farbwähler im Browser öffnen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Quit Morvane Color Picker</source>
        <translation>Morvane Color Picker beenden</translation>
    </message>
</context>
<context>
    <name>PickButton</name>
    <message>
        <source>Pick a color</source>
        <translation>Farbe wählen</translation>
    </message>
    <message>
        <source>Pick a color from the screen</source>
        <translation>Eine Farbe vom Bildschirm wählen</translation>
    </message>
</context>
<context>
    <name>PickKeySection</name>
    <message>
        <source>Pick a color with a key</source>
        <translation>Farbe per Tastenkürzel wählen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Key that picks a color</source>
        <translation>Taste, die eine Farbe wählt</translation>
    </message>
    <message>
        <source>Command that picks a color</source>
        <translation>Befehl, der eine Farbe wählt</translation>
    </message>
</context>
<context>
    <name>PickShortcut</name>
    <message>
        <source>Asking the desktop for %1…</source>
        <translation>Desktop wird nach %1 gefragt…</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color. Change it in the desktop&apos;s keyboard settings.</source>
        <translation>Drücken Sie überall %1, um eine Farbe zu wählen. Ändern Sie es in den Tastatureinstellungen des Desktops.</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color.</source>
        <translation>Drücken Sie überall %1, um eine Farbe zu wählen.</translation>
    </message>
    <message>
        <source>%1 is already taken by another program. Choose another key.</source>
        <translation>%1 ist schon von einem anderen Programm belegt. Wählen Sie eine andere Taste.</translation>
    </message>
    <message>
        <source>The desktop was not allowed to bind %1. Choose a key again to be asked again.</source>
        <translation>Der Desktop durfte %1 nicht belegen. Wählen Sie erneut eine Taste, um wieder gefragt zu werden.</translation>
    </message>
    <message>
        <source>The desktop could not bind %1: %2</source>
        <translation>Der Desktop konnte %1 nicht belegen: %2</translation>
    </message>
    <message>
        <source>This desktop does not let the picker bind a key itself. Bind this command to a key in the desktop&apos;s keyboard settings:</source>
        <translation>Dieser Desktop lässt den Farbwähler keine Taste selbst belegen. Legen Sie diesen Befehl in den Tastatureinstellungen des Desktops auf eine Taste:</translation>
    </message>
    <message>
        <source>Morvane Color Picker keeps running, so %1 still picks a color. To see this window again, open Morvane Color Picker from the application menu. Close the window again to hide it.</source>
        <translation>Morvane Color Picker läuft weiter, %1 wählt also weiterhin eine Farbe. Um dieses Fenster wieder zu sehen, öffnen Sie Morvane Color Picker aus dem Anwendungsmenü. Schließen Sie das Fenster erneut, um es auszublenden.</translation>
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
        <translation>Farbe einfügen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
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
        <translation>das Desktop-Portal wurde beendet</translation>
    </message>
    <message>
        <source>it did not start a shortcut session</source>
        <translation>es hat keine Tastenkürzel-Sitzung gestartet</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Farbe wählen</translation>
    </message>
    <message>
        <source>it refused the shortcut</source>
        <translation>es hat das Tastenkürzel abgelehnt</translation>
    </message>
    <message>
        <source>its answer could not be received</source>
        <translation>seine Antwort kam nicht an</translation>
    </message>
</context>
<context>
    <name>RecentChip</name>
    <message>
        <source>Use recent color %1</source>
        <translation>Zuletzt gewählte Farbe %1 verwenden</translation>
    </message>
    <message>
        <source>Recent color %1, %2 of %3</source>
        <translation>Zuletzt gewählte Farbe %1, %2 von %3</translation>
    </message>
    <message>
        <source>Compare contrast</source>
        <translation>Kontrast vergleichen</translation>
    </message>
    <message>
        <source>Compare with a new pick</source>
        <translation>Mit neu gewählter Farbe vergleichen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear recent colors</source>
        <translation>Verlauf löschen</translation>
    </message>
</context>
<context>
    <name>RecentsSection</name>
    <message>
        <source>Recent</source>
        <translation>Zuletzt</translation>
    </message>
</context>
<context>
    <name>RelocationWarning</name>
    <message>
        <source>Move %1 to Applications</source>
        <translation>%1 in die Programme verschieben</translation>
    </message>
    <message>
        <source>To enable automatic updates, please drag %1 to your Applications folder, then relaunch.</source>
        <translation>Um automatische Updates zu ermöglichen, ziehen Sie %1 in Ihren Programme-Ordner und starten Sie es neu.</translation>
    </message>
    <message>
        <source>Reveal in Finder</source>
        <translation>Im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Updates suchen…</translation>
    </message>
    <message>
        <source>Get early-access updates</source>
        <translation>Vorabversionen erhalten</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Pick any color on your screen, right from the menu bar.</source>
        <translation>Wählen Sie eine beliebige Farbe auf dem Bildschirm, direkt aus der Menüleiste.</translation>
    </message>
    <message>
        <source>Recent colors to keep</source>
        <translation>Zuletzt gewählte Farben behalten</translation>
    </message>
    <message>
        <source>Picking</source>
        <translation>Farbwahl</translation>
    </message>
</context>
<context>
    <name>SignedFeed</name>
    <message>
        <source>The update feed is not signed with the application&apos;s key.</source>
        <translation>Der Update-Feed ist nicht mit dem Schlüssel der Anwendung signiert.</translation>
    </message>
    <message>
        <source>The update feed could not be read.</source>
        <translation>Der Update-Feed konnte nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>SwatchView</name>
    <message>
        <source>Current color %1</source>
        <translation>Aktuelle Farbe %1</translation>
    </message>
    <message>
        <source>No color picked yet</source>
        <translation>Noch keine Farbe gewählt</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Color Picker</source>
        <translation>Farbwähler öffnen</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Farbe wählen</translation>
    </message>
    <message>
        <source>Paste color</source>
        <translation>Farbe einfügen</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
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
        <translation>Das Update %1 ist nicht signiert.</translation>
    </message>
    <message>
        <source>The feed gives no size for the update %1.</source>
        <translation>Der Feed nennt keine Größe für das Update %1.</translation>
    </message>
    <message>
        <source>The update could not be saved: no private folder.</source>
        <translation>Das Update konnte nicht gespeichert werden: kein privater Ordner.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>Das Update konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The update %1 does not have the size the feed gives.</source>
        <translation>Das Update %1 hat nicht die Größe, die der Feed nennt.</translation>
    </message>
    <message>
        <source>The update %1 is improperly signed and was not offered.</source>
        <translation>Das Update %1 ist falsch signiert und wurde nicht angeboten.</translation>
    </message>
</context>
<context>
    <name>UpdateInstaller</name>
    <message>
        <source>The update could not be installed: %1</source>
        <translation>Das Update konnte nicht installiert werden: %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>UpdateTransfer</name>
    <message>
        <source>The update address %1 does not use HTTPS.</source>
        <translation>Die Update-Adresse %1 verwendet kein HTTPS.</translation>
    </message>
    <message>
        <source>The update server redirected to %1, which is not allowed.</source>
        <translation>Der Update-Server hat auf %1 umgeleitet, was nicht erlaubt ist.</translation>
    </message>
    <message>
        <source>The update server did not finish sending in time.</source>
        <translation>Der Update-Server hat nicht rechtzeitig fertig gesendet.</translation>
    </message>
    <message>
        <source>The update server sent more data than expected.</source>
        <translation>Der Update-Server hat mehr Daten als erwartet gesendet.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>Das Update konnte nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>UpdaterService</name>
    <message>
        <source>Update check failed: %1</source>
        <translation>Suche nach Updates fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>ValueRow</name>
    <message>
        <source>Copy %1 value</source>
        <translation>%1-Wert kopieren</translation>
    </message>
    <message>
        <source>%1 copied</source>
        <translation>%1 kopiert</translation>
    </message>
    <message>
        <source>Copy %1 %2</source>
        <translation>%1 %2 kopieren</translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>Copying…</source>
        <translation>Wird kopiert…</translation>
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
        <translation>Versionshinweise</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>Sie sind auf dem neuesten Stand!</translation>
    </message>
    <message>
        <source>%1 %2 is currently the newest version available.</source>
        <translation>%1 %2 ist derzeit die neueste verfügbare Version.</translation>
    </message>
    <message>
        <source>Update Error!</source>
        <translation>Update-Fehler!</translation>
    </message>
    <message>
        <source>Update downloaded</source>
        <translation>Update heruntergeladen</translation>
    </message>
    <message>
        <source>%1 %2 was downloaded and verified:
%3

Replace the installed copy with it and start it again to finish updating.</source>
        <translation>%1 %2 wurde heruntergeladen und geprüft:
%3

Ersetzen Sie die installierte Kopie damit und starten Sie sie neu, um das Update abzuschließen.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Softwareaktualisierung</translation>
    </message>
    <message>
        <source>A new version of %1 is available!</source>
        <translation>Eine neue Version von %1 ist verfügbar!</translation>
    </message>
    <message>
        <source>%1 %2 is now available; you have %3. Would you like to install it now?</source>
        <translation>%1 %2 ist jetzt verfügbar; Sie haben %3. Möchten Sie sie jetzt installieren?</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Diese Version überspringen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installieren</translation>
    </message>
</context>
<context>
    <name>X11GlobalShortcut</name>
    <message>
        <source>this keyboard has no such key</source>
        <translation>diese Tastatur hat keine solche Taste</translation>
    </message>
</context>
</TS>
