<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>AppcastUpdater</name>
    <message>
        <source>The application&apos;s update key is not valid.</source>
        <translation>La chiave di aggiornamento dell&apos;applicazione non è valida.</translation>
    </message>
    <message>
        <source>The update %1 is too large to download unasked.</source>
        <translation>L&apos;aggiornamento %1 è troppo grande per scaricarlo senza chiedere.</translation>
    </message>
    <message>
        <source>%1 is older than a version already offered or installed (%2).</source>
        <translation>%1 è più vecchia di una versione già offerta o installata (%2).</translation>
    </message>
</context>
<context>
    <name>ColorPickerModel</name>
    <message>
        <source>No color on the clipboard</source>
        <translation>Nessun colore negli appunti</translation>
    </message>
    <message>
        <source>Color pasted</source>
        <translation>Colore incollato</translation>
    </message>
    <message>
        <source>Hex copied</source>
        <translation>HEX copiato</translation>
    </message>
    <message>
        <source>Recent colors cleared · Undo</source>
        <translation>Colori recenti cancellati · Annulla</translation>
    </message>
    <message>
        <source>Recent colors restored</source>
        <translation>Colori recenti ripristinati</translation>
    </message>
</context>
<context>
    <name>ColorTemplate</name>
    <message>
        <source>the template is empty</source>
        <translation>il modello è vuoto</translation>
    </message>
    <message>
        <source>a lone &quot;}&quot; (write &quot;}}&quot; for a brace)</source>
        <translation>una «}» isolata (scrivere «}}» per una graffa)</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without its &quot;}&quot; (write &quot;{{&quot; for a brace)</source>
        <translation>una «{» senza la sua «}» (scrivere «{{» per una graffa)</translation>
    </message>
    <message>
        <source>unknown placeholder &quot;{%1}&quot;</source>
        <translation>segnaposto sconosciuto «{%1}»</translation>
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
        <translation>preleva un colore nella copia in esecuzione (avviandone una
se serve), stampa il suo hex ed esce; stato 1 se annullato</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>with --pick or --convert: print the color in notation ID
instead of hex</source>
        <translation>con --pick o --convert: stampa il colore nella notazione ID
invece che in hex</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>COLORE</translation>
    </message>
    <message>
        <source>print COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) in
another notation, without a display; with - read one
color a line from standard input (exit status 2 when a
line is no color)</source>
        <translation>stampa COLORE (hex, rgb, CSS rgb(), vec3, int, 0x...) in
un&apos;altra notazione, senza schermo; con - legge un colore
per riga dallo standard input (stato 2 se una riga non
è un colore)</translation>
    </message>
    <message>
        <source>list the notation ids and labels</source>
        <translation>elenca gli ID e i nomi delle notazioni</translation>
    </message>
    <message>
        <source>open the settings window</source>
        <translation>apre la finestra delle impostazioni</translation>
    </message>
    <message>
        <source>check that the application starts, then quit</source>
        <translation>verifica che l&apos;applicazione si avvii, poi esce</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>mostra questo aiuto ed esce</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>mostra la versione ed esce</translation>
    </message>
    <message>
        <source>Usage: morvane-color-picker [OPTION]
Pick any color on your screen, right from the tray.
</source>
        <translation>Uso: morvane-color-picker [OPZIONE]
Preleva qualsiasi colore dallo schermo, direttamente dall&apos;area di notifica.
</translation>
    </message>
    <message>
        <source>Without an option the picker starts in the tray; a second launch opens
the running copy&apos;s panel.
</source>
        <translation>Senza opzioni il selettore si avvia nell&apos;area di notifica; un secondo avvio
apre il pannello della copia in esecuzione.
</translation>
    </message>
</context>
<context>
    <name>ContrastSample</name>
    <message>
        <source>Sample text</source>
        <translation>Testo di esempio</translation>
    </message>
</context>
<context>
    <name>ContrastSection</name>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Contrast with %1</source>
        <translation>Contrasto con %1</translation>
    </message>
    <message>
        <source>AA normal text</source>
        <translation>AA testo normale</translation>
    </message>
    <message>
        <source>AA large text</source>
        <translation>AA testo grande</translation>
    </message>
    <message>
        <source>AAA normal text</source>
        <translation>AAA testo normale</translation>
    </message>
    <message>
        <source>AAA large text</source>
        <translation>AAA testo grande</translation>
    </message>
    <message>
        <source>Non-text</source>
        <translation>Non testuale</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Superato</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Fallito</translation>
    </message>
    <message>
        <source>Contrast ratio %1</source>
        <translation>Rapporto di contrasto %1</translation>
    </message>
</context>
<context>
    <name>DeferredUpdateFramework</name>
    <message>
        <source>The updater is missing or damaged; reinstalling the application should restore it.</source>
        <translation>Il modulo di aggiornamento manca o è danneggiato; reinstallare l&apos;applicazione dovrebbe ripristinarlo.</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal), and no session bus (D-Bus) is running to reach it.</source>
        <translation>Il prelievo dallo schermo richiede il portale del desktop (xdg-desktop-portal), e nessun bus di sessione (D-Bus) è attivo per raggiungerlo.</translation>
    </message>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal) with a screenshot back-end.</source>
        <translation>Il prelievo dallo schermo richiede il portale del desktop (xdg-desktop-portal) con un motore di schermate.</translation>
    </message>
    <message>
        <source>Screen picking needs a screenshot back-end for the desktop portal that can pick colours (for instance xdg-desktop-portal-gnome, -kde or -wlr); the portal here has none.</source>
        <translation>Il prelievo dallo schermo richiede un motore di schermate per il portale del desktop che sappia prelevare colori (per esempio xdg-desktop-portal-gnome, -kde o -wlr); il portale qui non ne ha.</translation>
    </message>
    <message>
        <source>Screen picking needs a newer desktop portal: its screenshot interface is version %1, and picking colours needs version 2.</source>
        <translation>Il prelievo dallo schermo richiede un portale del desktop più recente: la sua interfaccia per le schermate è alla versione %1, e prelevare colori richiede la versione 2.</translation>
    </message>
    <message>
        <source>The desktop portal could not pick a colour: its screenshot back-end failed or is missing.</source>
        <translation>Il portale del desktop non ha potuto prelevare un colore: il suo motore di schermate non è riuscito o manca.</translation>
    </message>
    <message>
        <source>The desktop portal stopped during the pick.</source>
        <translation>Il portale del desktop si è fermato durante il prelievo.</translation>
    </message>
    <message>
        <source>Screen picking on %1 needs the desktop portal&apos;s wlroots back-end: install xdg-desktop-portal-wlr with grim and slurp, then log in again.</source>
        <translation>Il prelievo dallo schermo su %1 richiede il motore wlroots del portale del desktop: installa xdg-desktop-portal-wlr con grim e slurp, poi accedi di nuovo.</translation>
    </message>
    <message>
        <source>%1&apos;s desktop portal cannot pick colours yet. In an X11 session (chosen at the login screen) the picker reads the screen itself.</source>
        <translation>Il portale del desktop di %1 non sa ancora prelevare colori. In una sessione X11 (scelta nella schermata di accesso) il selettore legge lo schermo da sé.</translation>
    </message>
    <message>
        <source>Screen picking on GNOME needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-gnome, then log in again.</source>
        <translation>Il prelievo dallo schermo su GNOME richiede il portale del desktop: installa xdg-desktop-portal e xdg-desktop-portal-gnome, poi accedi di nuovo.</translation>
    </message>
    <message>
        <source>Screen picking on KDE Plasma needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-kde, then log in again.</source>
        <translation>Il prelievo dallo schermo su KDE Plasma richiede il portale del desktop: installa xdg-desktop-portal e xdg-desktop-portal-kde, poi accedi di nuovo.</translation>
    </message>
</context>
<context>
    <name>FormatPreferences</name>
    <message>
        <source>the format needs a name</source>
        <translation>il formato ha bisogno di un nome</translation>
    </message>
    <message>
        <source>a format named &quot;%1&quot; exists</source>
        <translation>esiste già un formato chiamato «%1»</translation>
    </message>
</context>
<context>
    <name>FormatsSection</name>
    <message>
        <source>Formats</source>
        <translation>Formati</translation>
    </message>
    <message>
        <source>Formats shown in the panel</source>
        <translation>Formati mostrati nel pannello</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Sposta su</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Sposta giù</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Rimuovi</translation>
    </message>
    <message>
        <source>Copied on a pick</source>
        <translation>Copiato al prelievo</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ and }} for braces</source>
        <translation>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ e }} per le graffe</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Aggiungi</translation>
    </message>
    <message>
        <source>Your own</source>
        <translation>Personali</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>Non aggiunto: %1.</translation>
    </message>
    <message>
        <source>Name of your own format</source>
        <translation>Nome del formato personale</translation>
    </message>
    <message>
        <source>Template of your own format</source>
        <translation>Modello del formato personale</translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>Open the web picker</source>
        <translation>Apri il selettore web</translation>
    </message>
    <message>
        <source>Open the web color picker in your browser</source>
        <translation>Apri il selettore di colori web nel browser</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Quit Morvane Color Picker</source>
        <translation>Esci da Morvane Color Picker</translation>
    </message>
</context>
<context>
    <name>PickButton</name>
    <message>
        <source>Pick a color</source>
        <translation>Preleva un colore</translation>
    </message>
    <message>
        <source>Pick a color from the screen</source>
        <translation>Preleva un colore dallo schermo</translation>
    </message>
</context>
<context>
    <name>PickKeySection</name>
    <message>
        <source>Pick a color with a key</source>
        <translation>Preleva un colore con un tasto</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copia</translation>
    </message>
    <message>
        <source>Key that picks a color</source>
        <translation>Tasto che preleva un colore</translation>
    </message>
    <message>
        <source>Command that picks a color</source>
        <translation>Comando che preleva un colore</translation>
    </message>
</context>
<context>
    <name>PickShortcut</name>
    <message>
        <source>Asking the desktop for %1…</source>
        <translation>Richiesta di %1 al desktop…</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color. Change it in the desktop&apos;s keyboard settings.</source>
        <translation>Premi %1 ovunque per prelevare un colore. Cambialo nelle impostazioni della tastiera del desktop.</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color.</source>
        <translation>Premi %1 ovunque per prelevare un colore.</translation>
    </message>
    <message>
        <source>%1 is already taken by another program. Choose another key.</source>
        <translation>%1 è già usato da un altro programma. Scegli un altro tasto.</translation>
    </message>
    <message>
        <source>The desktop was not allowed to bind %1. Choose a key again to be asked again.</source>
        <translation>Al desktop non è stato permesso di assegnare %1. Scegli di nuovo un tasto per essere interpellato di nuovo.</translation>
    </message>
    <message>
        <source>The desktop could not bind %1: %2</source>
        <translation>Il desktop non ha potuto assegnare %1: %2</translation>
    </message>
    <message>
        <source>This desktop does not let the picker bind a key itself. Bind this command to a key in the desktop&apos;s keyboard settings:</source>
        <translation>Questo desktop non permette al selettore di assegnare un tasto da sé. Assegna questo comando a un tasto nelle impostazioni della tastiera del desktop:</translation>
    </message>
    <message>
        <source>Morvane Color Picker keeps running, so %1 still picks a color. To see this window again, open Morvane Color Picker from the application menu. Close the window again to hide it.</source>
        <translation>Morvane Color Picker resta in esecuzione, quindi %1 preleva ancora un colore. Per rivedere questa finestra, apri Morvane Color Picker dal menu delle applicazioni. Chiudi di nuovo la finestra per nasconderla.</translation>
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
        <translation>Incolla colore</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annulla</translation>
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
        <translation>il portale del desktop si è fermato</translation>
    </message>
    <message>
        <source>it did not start a shortcut session</source>
        <translation>non ha avviato una sessione di scorciatoie</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Preleva un colore</translation>
    </message>
    <message>
        <source>it refused the shortcut</source>
        <translation>ha rifiutato la scorciatoia</translation>
    </message>
    <message>
        <source>its answer could not be received</source>
        <translation>la sua risposta non è arrivata</translation>
    </message>
</context>
<context>
    <name>RecentChip</name>
    <message>
        <source>Use recent color %1</source>
        <translation>Usa il colore recente %1</translation>
    </message>
    <message>
        <source>Recent color %1, %2 of %3</source>
        <translation>Colore recente %1, %2 di %3</translation>
    </message>
    <message>
        <source>Compare contrast</source>
        <translation>Confronta il contrasto</translation>
    </message>
    <message>
        <source>Compare with a new pick</source>
        <translation>Confronta con un nuovo colore</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Rimuovi</translation>
    </message>
    <message>
        <source>Clear recent colors</source>
        <translation>Cancella i colori recenti</translation>
    </message>
</context>
<context>
    <name>RecentsSection</name>
    <message>
        <source>Recent</source>
        <translation>Recenti</translation>
    </message>
</context>
<context>
    <name>RelocationWarning</name>
    <message>
        <source>Move %1 to Applications</source>
        <translation>Sposta %1 in Applicazioni</translation>
    </message>
    <message>
        <source>To enable automatic updates, please drag %1 to your Applications folder, then relaunch.</source>
        <translation>Per attivare gli aggiornamenti automatici, trascina %1 nella cartella Applicazioni, poi riavvialo.</translation>
    </message>
    <message>
        <source>Reveal in Finder</source>
        <translation>Mostra nel gestore file</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Più tardi</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Generale</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Avvia all&apos;accesso</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Aggiornamenti</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Cerca aggiornamenti…</translation>
    </message>
    <message>
        <source>Get early-access updates</source>
        <translation>Ricevi aggiornamenti in anteprima</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versione</translation>
    </message>
    <message>
        <source>Pick any color on your screen, right from the menu bar.</source>
        <translation>Preleva qualsiasi colore dallo schermo, direttamente dalla barra dei menu.</translation>
    </message>
    <message>
        <source>Recent colors to keep</source>
        <translation>Colori recenti da tenere</translation>
    </message>
    <message>
        <source>Picking</source>
        <translation>Prelievo</translation>
    </message>
</context>
<context>
    <name>SignedFeed</name>
    <message>
        <source>The update feed is not signed with the application&apos;s key.</source>
        <translation>Il feed degli aggiornamenti non è firmato con la chiave dell&apos;applicazione.</translation>
    </message>
    <message>
        <source>The update feed could not be read.</source>
        <translation>Impossibile leggere il feed degli aggiornamenti.</translation>
    </message>
</context>
<context>
    <name>SwatchView</name>
    <message>
        <source>Current color %1</source>
        <translation>Colore attuale %1</translation>
    </message>
    <message>
        <source>No color picked yet</source>
        <translation>Nessun colore ancora prelevato</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Color Picker</source>
        <translation>Apri il selettore di colori</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Preleva un colore</translation>
    </message>
    <message>
        <source>Paste color</source>
        <translation>Incolla colore</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Impostazioni…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Esci</translation>
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
        <translation>L&apos;aggiornamento %1 non è firmato.</translation>
    </message>
    <message>
        <source>The feed gives no size for the update %1.</source>
        <translation>Il feed non indica la dimensione dell&apos;aggiornamento %1.</translation>
    </message>
    <message>
        <source>The update could not be saved: no private folder.</source>
        <translation>Impossibile salvare l&apos;aggiornamento: nessuna cartella privata.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>Impossibile salvare l&apos;aggiornamento: %1</translation>
    </message>
    <message>
        <source>The update %1 does not have the size the feed gives.</source>
        <translation>L&apos;aggiornamento %1 non ha la dimensione indicata dal feed.</translation>
    </message>
    <message>
        <source>The update %1 is improperly signed and was not offered.</source>
        <translation>L&apos;aggiornamento %1 è firmato male e non è stato offerto.</translation>
    </message>
</context>
<context>
    <name>UpdateInstaller</name>
    <message>
        <source>The update could not be installed: %1</source>
        <translation>Impossibile installare l&apos;aggiornamento: %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>impossibile creare %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>impossibile scrivere %1</translation>
    </message>
</context>
<context>
    <name>UpdateTransfer</name>
    <message>
        <source>The update address %1 does not use HTTPS.</source>
        <translation>L&apos;indirizzo di aggiornamento %1 non usa HTTPS.</translation>
    </message>
    <message>
        <source>The update server redirected to %1, which is not allowed.</source>
        <translation>Il server degli aggiornamenti ha reindirizzato a %1, che non è permesso.</translation>
    </message>
    <message>
        <source>The update server did not finish sending in time.</source>
        <translation>Il server degli aggiornamenti non ha finito di inviare in tempo.</translation>
    </message>
    <message>
        <source>The update server sent more data than expected.</source>
        <translation>Il server degli aggiornamenti ha inviato più dati del previsto.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>Impossibile salvare l&apos;aggiornamento: %1</translation>
    </message>
</context>
<context>
    <name>UpdaterService</name>
    <message>
        <source>Update check failed: %1</source>
        <translation>Ricerca aggiornamenti non riuscita: %1</translation>
    </message>
</context>
<context>
    <name>ValueRow</name>
    <message>
        <source>Copy %1 value</source>
        <translation>Copia il valore %1</translation>
    </message>
    <message>
        <source>%1 copied</source>
        <translation>%1 copiato</translation>
    </message>
    <message>
        <source>Copy %1 %2</source>
        <translation>Copia %1 %2</translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>Copying…</source>
        <translation>Copia in corso…</translation>
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
        <translation>Note di rilascio</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>Sei aggiornato!</translation>
    </message>
    <message>
        <source>%1 %2 is currently the newest version available.</source>
        <translation>%1 %2 è attualmente la versione più recente disponibile.</translation>
    </message>
    <message>
        <source>Update Error!</source>
        <translation>Errore di aggiornamento!</translation>
    </message>
    <message>
        <source>Update downloaded</source>
        <translation>Aggiornamento scaricato</translation>
    </message>
    <message>
        <source>%1 %2 was downloaded and verified:
%3

Replace the installed copy with it and start it again to finish updating.</source>
        <translation>%1 %2 è stato scaricato e verificato:
%3

Sostituisci la copia installata con questa e riavviala per completare l&apos;aggiornamento.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Aggiornamento software</translation>
    </message>
    <message>
        <source>A new version of %1 is available!</source>
        <translation>È disponibile una nuova versione di %1!</translation>
    </message>
    <message>
        <source>%1 %2 is now available; you have %3. Would you like to install it now?</source>
        <translation>%1 %2 è ora disponibile; hai la %3. Vuoi installarla ora?</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Salta questa versione</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Più tardi</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installa</translation>
    </message>
</context>
<context>
    <name>X11GlobalShortcut</name>
    <message>
        <source>this keyboard has no such key</source>
        <translation>questa tastiera non ha quel tasto</translation>
    </message>
</context>
</TS>
