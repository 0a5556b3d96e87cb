<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>AppcastUpdater</name>
    <message>
        <source>The application&apos;s update key is not valid.</source>
        <translation>Klucz aktualizacji aplikacji jest nieprawidłowy.</translation>
    </message>
    <message>
        <source>The update %1 is too large to download unasked.</source>
        <translation>Aktualizacja %1 jest zbyt duża, by pobrać ją bez pytania.</translation>
    </message>
    <message>
        <source>%1 is older than a version already offered or installed (%2).</source>
        <translation>%1 jest starsza niż wersja już zaoferowana lub zainstalowana (%2).</translation>
    </message>
</context>
<context>
    <name>ColorPickerModel</name>
    <message>
        <source>No color on the clipboard</source>
        <translation>Brak koloru w schowku</translation>
    </message>
    <message>
        <source>Color pasted</source>
        <translation>Wklejono kolor</translation>
    </message>
    <message>
        <source>Hex copied</source>
        <translation>Skopiowano HEX</translation>
    </message>
    <message>
        <source>Recent colors cleared · Undo</source>
        <translation>Wyczyszczono ostatnie kolory · Cofnij</translation>
    </message>
    <message>
        <source>Recent colors restored</source>
        <translation>Przywrócono ostatnie kolory</translation>
    </message>
</context>
<context>
    <name>ColorTemplate</name>
    <message>
        <source>the template is empty</source>
        <translation>szablon jest pusty</translation>
    </message>
    <message>
        <source>a lone &quot;}&quot; (write &quot;}}&quot; for a brace)</source>
        <translation>samotny „}” (napisz „}}”, aby uzyskać nawias)</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without its &quot;}&quot; (write &quot;{{&quot; for a brace)</source>
        <translation>„{” bez swojego „}” (napisz „{{”, aby uzyskać nawias)</translation>
    </message>
    <message>
        <source>unknown placeholder &quot;{%1}&quot;</source>
        <translation>nieznany symbol zastępczy „{%1}”</translation>
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
        <translation>pobierz kolor w działającej kopii (uruchamiając ją w razie
potrzeby), wypisz jego hex i zakończ; status 1 po anulowaniu</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>with --pick or --convert: print the color in notation ID
instead of hex</source>
        <translation>z --pick lub --convert: wypisz kolor w notacji ID
zamiast hex</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>KOLOR</translation>
    </message>
    <message>
        <source>print COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) in
another notation, without a display; with - read one
color a line from standard input (exit status 2 when a
line is no color)</source>
        <translation>wypisz KOLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) w
innej notacji, bez ekranu; z - czytaj jeden kolor na
wiersz ze standardowego wejścia (status 2, gdy wiersz
nie jest kolorem)</translation>
    </message>
    <message>
        <source>list the notation ids and labels</source>
        <translation>wypisz identyfikatory i etykiety notacji</translation>
    </message>
    <message>
        <source>open the settings window</source>
        <translation>otwórz okno ustawień</translation>
    </message>
    <message>
        <source>check that the application starts, then quit</source>
        <translation>sprawdź, czy aplikacja się uruchamia, i zakończ</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>pokaż tę pomoc i zakończ</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>pokaż wersję i zakończ</translation>
    </message>
    <message>
        <source>Usage: morvane-color-picker [OPTION]
Pick any color on your screen, right from the tray.
</source>
        <translation>Użycie: morvane-color-picker [OPCJA]
Pobierz dowolny kolor z ekranu, prosto z zasobnika.
</translation>
    </message>
    <message>
        <source>Without an option the picker starts in the tray; a second launch opens
the running copy&apos;s panel.
</source>
        <translation>Bez opcji próbnik uruchamia się w zasobniku; drugie uruchomienie otwiera
panel działającej kopii.
</translation>
    </message>
</context>
<context>
    <name>ContrastSample</name>
    <message>
        <source>Sample text</source>
        <translation>Przykładowy tekst</translation>
    </message>
</context>
<context>
    <name>ContrastSection</name>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Contrast with %1</source>
        <translation>Kontrast z %1</translation>
    </message>
    <message>
        <source>AA normal text</source>
        <translation>AA zwykły tekst</translation>
    </message>
    <message>
        <source>AA large text</source>
        <translation>AA duży tekst</translation>
    </message>
    <message>
        <source>AAA normal text</source>
        <translation>AAA zwykły tekst</translation>
    </message>
    <message>
        <source>AAA large text</source>
        <translation>AAA duży tekst</translation>
    </message>
    <message>
        <source>Non-text</source>
        <translation>Nietekstowe</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Spełnia</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Nie spełnia</translation>
    </message>
    <message>
        <source>Contrast ratio %1</source>
        <translation>Współczynnik kontrastu %1</translation>
    </message>
</context>
<context>
    <name>DeferredUpdateFramework</name>
    <message>
        <source>The updater is missing or damaged; reinstalling the application should restore it.</source>
        <translation>Brak modułu aktualizacji lub jest on uszkodzony; ponowna instalacja aplikacji powinna go przywrócić.</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal), and no session bus (D-Bus) is running to reach it.</source>
        <translation>Pobieranie kolorów z ekranu wymaga portalu pulpitu (xdg-desktop-portal), a nie działa żadna magistrala sesji (D-Bus), by się z nim połączyć.</translation>
    </message>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal) with a screenshot back-end.</source>
        <translation>Pobieranie kolorów z ekranu wymaga portalu pulpitu (xdg-desktop-portal) z modułem zrzutów ekranu.</translation>
    </message>
    <message>
        <source>Screen picking needs a screenshot back-end for the desktop portal that can pick colours (for instance xdg-desktop-portal-gnome, -kde or -wlr); the portal here has none.</source>
        <translation>Pobieranie kolorów z ekranu wymaga modułu zrzutów ekranu dla portalu pulpitu, który umie pobierać kolory (na przykład xdg-desktop-portal-gnome, -kde lub -wlr); tutejszy portal go nie ma.</translation>
    </message>
    <message>
        <source>Screen picking needs a newer desktop portal: its screenshot interface is version %1, and picking colours needs version 2.</source>
        <translation>Pobieranie kolorów z ekranu wymaga nowszego portalu pulpitu: jego interfejs zrzutów ekranu ma wersję %1, a pobieranie kolorów wymaga wersji 2.</translation>
    </message>
    <message>
        <source>The desktop portal could not pick a colour: its screenshot back-end failed or is missing.</source>
        <translation>Portal pulpitu nie mógł pobrać koloru: jego moduł zrzutów ekranu zawiódł lub go brak.</translation>
    </message>
    <message>
        <source>The desktop portal stopped during the pick.</source>
        <translation>Portal pulpitu zatrzymał się podczas pobierania.</translation>
    </message>
    <message>
        <source>Screen picking on %1 needs the desktop portal&apos;s wlroots back-end: install xdg-desktop-portal-wlr with grim and slurp, then log in again.</source>
        <translation>Pobieranie kolorów z ekranu w %1 wymaga modułu wlroots portalu pulpitu: zainstaluj xdg-desktop-portal-wlr z grim i slurp, a potem zaloguj się ponownie.</translation>
    </message>
    <message>
        <source>%1&apos;s desktop portal cannot pick colours yet. In an X11 session (chosen at the login screen) the picker reads the screen itself.</source>
        <translation>Portal pulpitu %1 nie umie jeszcze pobierać kolorów. W sesji X11 (wybieranej na ekranie logowania) próbnik sam odczytuje ekran.</translation>
    </message>
    <message>
        <source>Screen picking on GNOME needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-gnome, then log in again.</source>
        <translation>Pobieranie kolorów z ekranu w GNOME wymaga portalu pulpitu: zainstaluj xdg-desktop-portal i xdg-desktop-portal-gnome, a potem zaloguj się ponownie.</translation>
    </message>
    <message>
        <source>Screen picking on KDE Plasma needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-kde, then log in again.</source>
        <translation>Pobieranie kolorów z ekranu w KDE Plasma wymaga portalu pulpitu: zainstaluj xdg-desktop-portal i xdg-desktop-portal-kde, a potem zaloguj się ponownie.</translation>
    </message>
</context>
<context>
    <name>FormatPreferences</name>
    <message>
        <source>the format needs a name</source>
        <translation>format musi mieć nazwę</translation>
    </message>
    <message>
        <source>a format named &quot;%1&quot; exists</source>
        <translation>format o nazwie „%1” już istnieje</translation>
    </message>
</context>
<context>
    <name>FormatsSection</name>
    <message>
        <source>Formats</source>
        <translation>Formaty</translation>
    </message>
    <message>
        <source>Formats shown in the panel</source>
        <translation>Formaty pokazywane w panelu</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>W górę</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>W dół</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Copied on a pick</source>
        <translation>Kopiowany przy pobraniu</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwa</translation>
    </message>
    <message>
        <source>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ and }} for braces</source>
        <translation>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ i }} dla nawiasów</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Dodaj</translation>
    </message>
    <message>
        <source>Your own</source>
        <translation>Własne</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>Nie dodano: %1.</translation>
    </message>
    <message>
        <source>Name of your own format</source>
        <translation>Nazwa własnego formatu</translation>
    </message>
    <message>
        <source>Template of your own format</source>
        <translation>Szablon własnego formatu</translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>Open the web picker</source>
        <translation>Otwórz próbnik w sieci</translation>
    </message>
    <message>
        <source>Open the web color picker in your browser</source>
        <translation>Otwórz próbnik kolorów w przeglądarce</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>Quit Morvane Color Picker</source>
        <translation>Zakończ Morvane Color Picker</translation>
    </message>
</context>
<context>
    <name>PickButton</name>
    <message>
        <source>Pick a color</source>
        <translation>Pobierz kolor</translation>
    </message>
    <message>
        <source>Pick a color from the screen</source>
        <translation>Pobierz kolor z ekranu</translation>
    </message>
</context>
<context>
    <name>PickKeySection</name>
    <message>
        <source>Pick a color with a key</source>
        <translation>Pobieraj kolor klawiszem</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Key that picks a color</source>
        <translation>Klawisz pobierający kolor</translation>
    </message>
    <message>
        <source>Command that picks a color</source>
        <translation>Polecenie pobierające kolor</translation>
    </message>
</context>
<context>
    <name>PickShortcut</name>
    <message>
        <source>Asking the desktop for %1…</source>
        <translation>Pytanie pulpitu o %1…</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color. Change it in the desktop&apos;s keyboard settings.</source>
        <translation>Naciśnij %1 w dowolnym miejscu, aby pobrać kolor. Zmień to w ustawieniach klawiatury pulpitu.</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color.</source>
        <translation>Naciśnij %1 w dowolnym miejscu, aby pobrać kolor.</translation>
    </message>
    <message>
        <source>%1 is already taken by another program. Choose another key.</source>
        <translation>%1 jest już zajęty przez inny program. Wybierz inny klawisz.</translation>
    </message>
    <message>
        <source>The desktop was not allowed to bind %1. Choose a key again to be asked again.</source>
        <translation>Pulpit nie otrzymał zgody na przypisanie %1. Wybierz klawisz ponownie, aby zapytano ponownie.</translation>
    </message>
    <message>
        <source>The desktop could not bind %1: %2</source>
        <translation>Pulpit nie mógł przypisać %1: %2</translation>
    </message>
    <message>
        <source>This desktop does not let the picker bind a key itself. Bind this command to a key in the desktop&apos;s keyboard settings:</source>
        <translation>Ten pulpit nie pozwala próbnikowi samemu przypisać klawisza. Przypisz to polecenie do klawisza w ustawieniach klawiatury pulpitu:</translation>
    </message>
    <message>
        <source>Morvane Color Picker keeps running, so %1 still picks a color. To see this window again, open Morvane Color Picker from the application menu. Close the window again to hide it.</source>
        <translation>Morvane Color Picker działa dalej, więc %1 nadal pobiera kolor. Aby znów zobaczyć to okno, otwórz Morvane Color Picker z menu aplikacji. Zamknij okno ponownie, aby je ukryć.</translation>
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
        <translation>Wklej kolor</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Cofnij</translation>
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
        <translation>portal pulpitu się zatrzymał</translation>
    </message>
    <message>
        <source>it did not start a shortcut session</source>
        <translation>nie rozpoczął sesji skrótów</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Pobierz kolor</translation>
    </message>
    <message>
        <source>it refused the shortcut</source>
        <translation>odrzucił skrót</translation>
    </message>
    <message>
        <source>its answer could not be received</source>
        <translation>nie udało się odebrać jego odpowiedzi</translation>
    </message>
</context>
<context>
    <name>RecentChip</name>
    <message>
        <source>Use recent color %1</source>
        <translation>Użyj ostatniego koloru %1</translation>
    </message>
    <message>
        <source>Recent color %1, %2 of %3</source>
        <translation>Ostatni kolor %1, %2 z %3</translation>
    </message>
    <message>
        <source>Compare contrast</source>
        <translation>Porównaj kontrast</translation>
    </message>
    <message>
        <source>Compare with a new pick</source>
        <translation>Porównaj z nowo pobranym kolorem</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Clear recent colors</source>
        <translation>Wyczyść ostatnie kolory</translation>
    </message>
</context>
<context>
    <name>RecentsSection</name>
    <message>
        <source>Recent</source>
        <translation>Ostatnie</translation>
    </message>
</context>
<context>
    <name>RelocationWarning</name>
    <message>
        <source>Move %1 to Applications</source>
        <translation>Przenieś %1 do Aplikacji</translation>
    </message>
    <message>
        <source>To enable automatic updates, please drag %1 to your Applications folder, then relaunch.</source>
        <translation>Aby włączyć automatyczne aktualizacje, przeciągnij %1 do folderu Aplikacje i uruchom ponownie.</translation>
    </message>
    <message>
        <source>Reveal in Finder</source>
        <translation>Pokaż w menedżerze plików</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Później</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Ogólne</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Uruchamiaj po zalogowaniu</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Aktualizacje</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Sprawdź aktualizacje…</translation>
    </message>
    <message>
        <source>Get early-access updates</source>
        <translation>Otrzymuj wczesne aktualizacje</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Wersja</translation>
    </message>
    <message>
        <source>Pick any color on your screen, right from the menu bar.</source>
        <translation>Pobierz dowolny kolor z ekranu, prosto z paska menu.</translation>
    </message>
    <message>
        <source>Recent colors to keep</source>
        <translation>Liczba zapamiętanych kolorów</translation>
    </message>
    <message>
        <source>Picking</source>
        <translation>Pobieranie</translation>
    </message>
</context>
<context>
    <name>SignedFeed</name>
    <message>
        <source>The update feed is not signed with the application&apos;s key.</source>
        <translation>Kanał aktualizacji nie jest podpisany kluczem aplikacji.</translation>
    </message>
    <message>
        <source>The update feed could not be read.</source>
        <translation>Nie można odczytać kanału aktualizacji.</translation>
    </message>
</context>
<context>
    <name>SwatchView</name>
    <message>
        <source>Current color %1</source>
        <translation>Bieżący kolor %1</translation>
    </message>
    <message>
        <source>No color picked yet</source>
        <translation>Nie pobrano jeszcze koloru</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Color Picker</source>
        <translation>Otwórz próbnik kolorów</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Pobierz kolor</translation>
    </message>
    <message>
        <source>Paste color</source>
        <translation>Wklej kolor</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Ustawienia…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Zakończ</translation>
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
        <translation>Aktualizacja %1 nie jest podpisana.</translation>
    </message>
    <message>
        <source>The feed gives no size for the update %1.</source>
        <translation>Kanał nie podaje rozmiaru aktualizacji %1.</translation>
    </message>
    <message>
        <source>The update could not be saved: no private folder.</source>
        <translation>Nie można zapisać aktualizacji: brak prywatnego folderu.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>Nie można zapisać aktualizacji: %1</translation>
    </message>
    <message>
        <source>The update %1 does not have the size the feed gives.</source>
        <translation>Aktualizacja %1 nie ma rozmiaru podanego w kanale.</translation>
    </message>
    <message>
        <source>The update %1 is improperly signed and was not offered.</source>
        <translation>Aktualizacja %1 jest błędnie podpisana i nie została zaoferowana.</translation>
    </message>
</context>
<context>
    <name>UpdateInstaller</name>
    <message>
        <source>The update could not be installed: %1</source>
        <translation>Nie można zainstalować aktualizacji: %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>nie można utworzyć %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>nie można zapisać %1</translation>
    </message>
</context>
<context>
    <name>UpdateTransfer</name>
    <message>
        <source>The update address %1 does not use HTTPS.</source>
        <translation>Adres aktualizacji %1 nie używa HTTPS.</translation>
    </message>
    <message>
        <source>The update server redirected to %1, which is not allowed.</source>
        <translation>Serwer aktualizacji przekierował do %1, co jest niedozwolone.</translation>
    </message>
    <message>
        <source>The update server did not finish sending in time.</source>
        <translation>Serwer aktualizacji nie skończył wysyłać na czas.</translation>
    </message>
    <message>
        <source>The update server sent more data than expected.</source>
        <translation>Serwer aktualizacji wysłał więcej danych, niż oczekiwano.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>Nie można zapisać aktualizacji: %1</translation>
    </message>
</context>
<context>
    <name>UpdaterService</name>
    <message>
        <source>Update check failed: %1</source>
        <translation>Sprawdzanie aktualizacji nie powiodło się: %1</translation>
    </message>
</context>
<context>
    <name>ValueRow</name>
    <message>
        <source>Copy %1 value</source>
        <translation>Kopiuj wartość %1</translation>
    </message>
    <message>
        <source>%1 copied</source>
        <translation>Skopiowano %1</translation>
    </message>
    <message>
        <source>Copy %1 %2</source>
        <translation>Kopiuj %1 %2</translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>Copying…</source>
        <translation>Kopiowanie…</translation>
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
        <translation>Informacje o wydaniu</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>Masz najnowszą wersję!</translation>
    </message>
    <message>
        <source>%1 %2 is currently the newest version available.</source>
        <translation>%1 %2 jest obecnie najnowszą dostępną wersją.</translation>
    </message>
    <message>
        <source>Update Error!</source>
        <translation>Błąd aktualizacji!</translation>
    </message>
    <message>
        <source>Update downloaded</source>
        <translation>Pobrano aktualizację</translation>
    </message>
    <message>
        <source>%1 %2 was downloaded and verified:
%3

Replace the installed copy with it and start it again to finish updating.</source>
        <translation>%1 %2 pobrano i zweryfikowano:
%3

Zastąp nią zainstalowaną kopię i uruchom ją ponownie, aby dokończyć aktualizację.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Aktualizacja oprogramowania</translation>
    </message>
    <message>
        <source>A new version of %1 is available!</source>
        <translation>Dostępna jest nowa wersja %1!</translation>
    </message>
    <message>
        <source>%1 %2 is now available; you have %3. Would you like to install it now?</source>
        <translation>%1 %2 jest już dostępna; masz %3. Czy zainstalować ją teraz?</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Pomiń tę wersję</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Później</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Zainstaluj</translation>
    </message>
</context>
<context>
    <name>X11GlobalShortcut</name>
    <message>
        <source>this keyboard has no such key</source>
        <translation>ta klawiatura nie ma takiego klawisza</translation>
    </message>
</context>
</TS>
