<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AppcastUpdater</name>
    <message>
        <source>The application&apos;s update key is not valid.</source>
        <translation>La clé de mise à jour de l&apos;application n&apos;est pas valide.</translation>
    </message>
    <message>
        <source>The update %1 is too large to download unasked.</source>
        <translation>La mise à jour %1 est trop volumineuse pour être téléchargée sans demander.</translation>
    </message>
    <message>
        <source>%1 is older than a version already offered or installed (%2).</source>
        <translation>%1 est plus ancienne qu&apos;une version déjà proposée ou installée (%2).</translation>
    </message>
</context>
<context>
    <name>ColorPickerModel</name>
    <message>
        <source>No color on the clipboard</source>
        <translation>Aucune couleur dans le presse-papiers</translation>
    </message>
    <message>
        <source>Color pasted</source>
        <translation>Couleur collée</translation>
    </message>
    <message>
        <source>Hex copied</source>
        <translation>HEX copié</translation>
    </message>
    <message>
        <source>Recent colors cleared · Undo</source>
        <translation>Couleurs récentes effacées · Annuler</translation>
    </message>
    <message>
        <source>Recent colors restored</source>
        <translation>Couleurs récentes rétablies</translation>
    </message>
</context>
<context>
    <name>ColorTemplate</name>
    <message>
        <source>the template is empty</source>
        <translation>le modèle est vide</translation>
    </message>
    <message>
        <source>a lone &quot;}&quot; (write &quot;}}&quot; for a brace)</source>
        <translation>un « } » seul (écrire « }} » pour une accolade)</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without its &quot;}&quot; (write &quot;{{&quot; for a brace)</source>
        <translation>un « { » sans son « } » (écrire « {{ » pour une accolade)</translation>
    </message>
    <message>
        <source>unknown placeholder &quot;{%1}&quot;</source>
        <translation>espace réservé inconnu « {%1} »</translation>
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
        <translation>prélever une couleur dans la copie en cours (en lançant une
au besoin), afficher son hex et quitter ; état 1 si annulé</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>with --pick or --convert: print the color in notation ID
instead of hex</source>
        <translation>avec --pick ou --convert : afficher la couleur dans la
notation ID au lieu de hex</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>COULEUR</translation>
    </message>
    <message>
        <source>print COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) in
another notation, without a display; with - read one
color a line from standard input (exit status 2 when a
line is no color)</source>
        <translation>afficher COULEUR (hex, rgb, CSS rgb(), vec3, int, 0x...)
dans une autre notation, sans affichage ; avec - lire une
couleur par ligne sur l&apos;entrée standard (état 2 si une
ligne n&apos;est pas une couleur)</translation>
    </message>
    <message>
        <source>list the notation ids and labels</source>
        <translation>lister les identifiants et libellés des notations</translation>
    </message>
    <message>
        <source>open the settings window</source>
        <translation>ouvrir la fenêtre des réglages</translation>
    </message>
    <message>
        <source>check that the application starts, then quit</source>
        <translation>vérifier que l&apos;application démarre, puis quitter</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>afficher cette aide et quitter</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>afficher la version et quitter</translation>
    </message>
    <message>
        <source>Usage: morvane-color-picker [OPTION]
Pick any color on your screen, right from the tray.
</source>
        <translation>Utilisation : morvane-color-picker [OPTION]
Prélevez n&apos;importe quelle couleur de l&apos;écran, depuis la zone de notification.
</translation>
    </message>
    <message>
        <source>Without an option the picker starts in the tray; a second launch opens
the running copy&apos;s panel.
</source>
        <translation>Sans option, le sélecteur démarre dans la zone de notification ; un second
lancement ouvre le panneau de la copie en cours.
</translation>
    </message>
</context>
<context>
    <name>ContrastSample</name>
    <message>
        <source>Sample text</source>
        <translation>Texte d’exemple</translation>
    </message>
</context>
<context>
    <name>ContrastSection</name>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Contrast with %1</source>
        <translation>Contraste avec %1</translation>
    </message>
    <message>
        <source>AA normal text</source>
        <translation>AA texte normal</translation>
    </message>
    <message>
        <source>AA large text</source>
        <translation>AA grand texte</translation>
    </message>
    <message>
        <source>AAA normal text</source>
        <translation>AAA texte normal</translation>
    </message>
    <message>
        <source>AAA large text</source>
        <translation>AAA grand texte</translation>
    </message>
    <message>
        <source>Non-text</source>
        <translation>Hors texte</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Réussi</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>Contrast ratio %1</source>
        <translation>Rapport de contraste %1</translation>
    </message>
</context>
<context>
    <name>DeferredUpdateFramework</name>
    <message>
        <source>The updater is missing or damaged; reinstalling the application should restore it.</source>
        <translation>Le module de mise à jour est absent ou endommagé ; réinstaller l&apos;application devrait le rétablir.</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal), and no session bus (D-Bus) is running to reach it.</source>
        <translation>Le prélèvement à l&apos;écran a besoin du portail du bureau (xdg-desktop-portal), et aucun bus de session (D-Bus) ne tourne pour l&apos;atteindre.</translation>
    </message>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal) with a screenshot back-end.</source>
        <translation>Le prélèvement à l&apos;écran a besoin du portail du bureau (xdg-desktop-portal) avec un module de capture d&apos;écran.</translation>
    </message>
    <message>
        <source>Screen picking needs a screenshot back-end for the desktop portal that can pick colours (for instance xdg-desktop-portal-gnome, -kde or -wlr); the portal here has none.</source>
        <translation>Le prélèvement à l&apos;écran a besoin d&apos;un module de capture d&apos;écran pour le portail du bureau qui sache prélever des couleurs (par exemple xdg-desktop-portal-gnome, -kde ou -wlr) ; le portail ici n&apos;en a aucun.</translation>
    </message>
    <message>
        <source>Screen picking needs a newer desktop portal: its screenshot interface is version %1, and picking colours needs version 2.</source>
        <translation>Le prélèvement à l&apos;écran a besoin d&apos;un portail du bureau plus récent : son interface de capture est en version %1, et prélever des couleurs demande la version 2.</translation>
    </message>
    <message>
        <source>The desktop portal could not pick a colour: its screenshot back-end failed or is missing.</source>
        <translation>Le portail du bureau n&apos;a pas pu prélever de couleur : son module de capture d&apos;écran a échoué ou est absent.</translation>
    </message>
    <message>
        <source>The desktop portal stopped during the pick.</source>
        <translation>Le portail du bureau s&apos;est arrêté pendant le prélèvement.</translation>
    </message>
    <message>
        <source>Screen picking on %1 needs the desktop portal&apos;s wlroots back-end: install xdg-desktop-portal-wlr with grim and slurp, then log in again.</source>
        <translation>Le prélèvement à l&apos;écran sous %1 a besoin du module wlroots du portail du bureau : installez xdg-desktop-portal-wlr avec grim et slurp, puis reconnectez-vous.</translation>
    </message>
    <message>
        <source>%1&apos;s desktop portal cannot pick colours yet. In an X11 session (chosen at the login screen) the picker reads the screen itself.</source>
        <translation>Le portail du bureau de %1 ne sait pas encore prélever de couleurs. Dans une session X11 (choisie à l&apos;écran de connexion), le sélecteur lit l&apos;écran lui-même.</translation>
    </message>
    <message>
        <source>Screen picking on GNOME needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-gnome, then log in again.</source>
        <translation>Le prélèvement à l&apos;écran sous GNOME a besoin du portail du bureau : installez xdg-desktop-portal et xdg-desktop-portal-gnome, puis reconnectez-vous.</translation>
    </message>
    <message>
        <source>Screen picking on KDE Plasma needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-kde, then log in again.</source>
        <translation>Le prélèvement à l&apos;écran sous KDE Plasma a besoin du portail du bureau : installez xdg-desktop-portal et xdg-desktop-portal-kde, puis reconnectez-vous.</translation>
    </message>
</context>
<context>
    <name>FormatPreferences</name>
    <message>
        <source>the format needs a name</source>
        <translation>le format doit avoir un nom</translation>
    </message>
    <message>
        <source>a format named &quot;%1&quot; exists</source>
        <translation>un format nommé « %1 » existe déjà</translation>
    </message>
</context>
<context>
    <name>FormatsSection</name>
    <message>
        <source>Formats</source>
        <translation>Formats</translation>
    </message>
    <message>
        <source>Formats shown in the panel</source>
        <translation>Formats affichés dans le panneau</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Copied on a pick</source>
        <translation>Copié au prélèvement</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ and }} for braces</source>
        <translation>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l} ; {{ et }} pour les accolades</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Your own</source>
        <translation>Personnels</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>Non ajouté : %1.</translation>
    </message>
    <message>
        <source>Name of your own format</source>
        <translation>Nom du format personnel</translation>
    </message>
    <message>
        <source>Template of your own format</source>
        <translation>Modèle du format personnel</translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>Open the web picker</source>
        <translation>Ouvrir le sélecteur web</translation>
    </message>
    <message>
        <source>Open the web color picker in your browser</source>
        <translation>Ouvrir le sélecteur de couleur web dans le navigateur</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Quit Morvane Color Picker</source>
        <translation>Quitter Morvane Color Picker</translation>
    </message>
</context>
<context>
    <name>PickButton</name>
    <message>
        <source>Pick a color</source>
        <translation>Prélever une couleur</translation>
    </message>
    <message>
        <source>Pick a color from the screen</source>
        <translation>Prélever une couleur à l&apos;écran</translation>
    </message>
</context>
<context>
    <name>PickKeySection</name>
    <message>
        <source>Pick a color with a key</source>
        <translation>Prélever une couleur avec une touche</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Key that picks a color</source>
        <translation>Touche qui prélève une couleur</translation>
    </message>
    <message>
        <source>Command that picks a color</source>
        <translation>Commande qui prélève une couleur</translation>
    </message>
</context>
<context>
    <name>PickShortcut</name>
    <message>
        <source>Asking the desktop for %1…</source>
        <translation>Demande de %1 au bureau…</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color. Change it in the desktop&apos;s keyboard settings.</source>
        <translation>Appuyez sur %1 n&apos;importe où pour prélever une couleur. Modifiez-la dans les réglages clavier du bureau.</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color.</source>
        <translation>Appuyez sur %1 n&apos;importe où pour prélever une couleur.</translation>
    </message>
    <message>
        <source>%1 is already taken by another program. Choose another key.</source>
        <translation>%1 est déjà pris par un autre programme. Choisissez une autre touche.</translation>
    </message>
    <message>
        <source>The desktop was not allowed to bind %1. Choose a key again to be asked again.</source>
        <translation>Le bureau n&apos;a pas été autorisé à associer %1. Choisissez de nouveau une touche pour être de nouveau sollicité.</translation>
    </message>
    <message>
        <source>The desktop could not bind %1: %2</source>
        <translation>Le bureau n&apos;a pas pu associer %1 : %2</translation>
    </message>
    <message>
        <source>This desktop does not let the picker bind a key itself. Bind this command to a key in the desktop&apos;s keyboard settings:</source>
        <translation>Ce bureau ne laisse pas le sélecteur associer une touche lui-même. Associez cette commande à une touche dans les réglages clavier du bureau :</translation>
    </message>
    <message>
        <source>Morvane Color Picker keeps running, so %1 still picks a color. To see this window again, open Morvane Color Picker from the application menu. Close the window again to hide it.</source>
        <translation>Morvane Color Picker reste lancé, donc %1 prélève toujours une couleur. Pour revoir cette fenêtre, ouvrez Morvane Color Picker depuis le menu des applications. Refermez la fenêtre pour la masquer.</translation>
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
        <translation>Coller une couleur</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
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
        <translation>le portail du bureau s&apos;est arrêté</translation>
    </message>
    <message>
        <source>it did not start a shortcut session</source>
        <translation>il n&apos;a pas ouvert de session de raccourcis</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Prélever une couleur</translation>
    </message>
    <message>
        <source>it refused the shortcut</source>
        <translation>il a refusé le raccourci</translation>
    </message>
    <message>
        <source>its answer could not be received</source>
        <translation>sa réponse n&apos;a pas pu être reçue</translation>
    </message>
</context>
<context>
    <name>RecentChip</name>
    <message>
        <source>Use recent color %1</source>
        <translation>Utiliser la couleur récente %1</translation>
    </message>
    <message>
        <source>Recent color %1, %2 of %3</source>
        <translation>Couleur récente %1, %2 sur %3</translation>
    </message>
    <message>
        <source>Compare contrast</source>
        <translation>Comparer le contraste</translation>
    </message>
    <message>
        <source>Compare with a new pick</source>
        <translation>Comparer avec une nouvelle couleur</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Clear recent colors</source>
        <translation>Effacer les couleurs récentes</translation>
    </message>
</context>
<context>
    <name>RecentsSection</name>
    <message>
        <source>Recent</source>
        <translation>Récentes</translation>
    </message>
</context>
<context>
    <name>RelocationWarning</name>
    <message>
        <source>Move %1 to Applications</source>
        <translation>Déplacer %1 dans Applications</translation>
    </message>
    <message>
        <source>To enable automatic updates, please drag %1 to your Applications folder, then relaunch.</source>
        <translation>Pour activer les mises à jour automatiques, faites glisser %1 dans votre dossier Applications, puis relancez-le.</translation>
    </message>
    <message>
        <source>Reveal in Finder</source>
        <translation>Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Plus tard</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Lancer à la connexion</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Mises à jour</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Rechercher des mises à jour…</translation>
    </message>
    <message>
        <source>Get early-access updates</source>
        <translation>Recevoir les versions anticipées</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Pick any color on your screen, right from the menu bar.</source>
        <translation>Prélevez n&apos;importe quelle couleur de l&apos;écran, depuis la barre de menus.</translation>
    </message>
    <message>
        <source>Recent colors to keep</source>
        <translation>Couleurs récentes à garder</translation>
    </message>
    <message>
        <source>Picking</source>
        <translation>Prélèvement</translation>
    </message>
</context>
<context>
    <name>SignedFeed</name>
    <message>
        <source>The update feed is not signed with the application&apos;s key.</source>
        <translation>Le flux de mises à jour n&apos;est pas signé avec la clé de l&apos;application.</translation>
    </message>
    <message>
        <source>The update feed could not be read.</source>
        <translation>Le flux de mises à jour n&apos;a pas pu être lu.</translation>
    </message>
</context>
<context>
    <name>SwatchView</name>
    <message>
        <source>Current color %1</source>
        <translation>Couleur actuelle %1</translation>
    </message>
    <message>
        <source>No color picked yet</source>
        <translation>Aucune couleur prélevée</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Color Picker</source>
        <translation>Ouvrir le sélecteur de couleur</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Prélever une couleur</translation>
    </message>
    <message>
        <source>Paste color</source>
        <translation>Coller une couleur</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Réglages…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
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
        <translation>La mise à jour %1 n&apos;est pas signée.</translation>
    </message>
    <message>
        <source>The feed gives no size for the update %1.</source>
        <translation>Le flux n&apos;indique aucune taille pour la mise à jour %1.</translation>
    </message>
    <message>
        <source>The update could not be saved: no private folder.</source>
        <translation>La mise à jour n&apos;a pas pu être enregistrée : aucun dossier privé.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>La mise à jour n&apos;a pas pu être enregistrée : %1</translation>
    </message>
    <message>
        <source>The update %1 does not have the size the feed gives.</source>
        <translation>La mise à jour %1 n&apos;a pas la taille indiquée par le flux.</translation>
    </message>
    <message>
        <source>The update %1 is improperly signed and was not offered.</source>
        <translation>La mise à jour %1 est mal signée et n&apos;a pas été proposée.</translation>
    </message>
</context>
<context>
    <name>UpdateInstaller</name>
    <message>
        <source>The update could not be installed: %1</source>
        <translation>La mise à jour n&apos;a pas pu être installée : %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>impossible de créer %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>impossible d&apos;écrire %1</translation>
    </message>
</context>
<context>
    <name>UpdateTransfer</name>
    <message>
        <source>The update address %1 does not use HTTPS.</source>
        <translation>L&apos;adresse de mise à jour %1 n&apos;utilise pas HTTPS.</translation>
    </message>
    <message>
        <source>The update server redirected to %1, which is not allowed.</source>
        <translation>Le serveur de mise à jour a redirigé vers %1, ce qui n&apos;est pas permis.</translation>
    </message>
    <message>
        <source>The update server did not finish sending in time.</source>
        <translation>Le serveur de mise à jour n&apos;a pas fini d&apos;envoyer à temps.</translation>
    </message>
    <message>
        <source>The update server sent more data than expected.</source>
        <translation>Le serveur de mise à jour a envoyé plus de données que prévu.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>La mise à jour n&apos;a pas pu être enregistrée : %1</translation>
    </message>
</context>
<context>
    <name>UpdaterService</name>
    <message>
        <source>Update check failed: %1</source>
        <translation>La recherche de mises à jour a échoué : %1</translation>
    </message>
</context>
<context>
    <name>ValueRow</name>
    <message>
        <source>Copy %1 value</source>
        <translation>Copier la valeur %1</translation>
    </message>
    <message>
        <source>%1 copied</source>
        <translation>%1 copié</translation>
    </message>
    <message>
        <source>Copy %1 %2</source>
        <translation>Copier %1 %2</translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>Copying…</source>
        <translation>Copie…</translation>
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
        <translation>Notes de version</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>Vous êtes à jour !</translation>
    </message>
    <message>
        <source>%1 %2 is currently the newest version available.</source>
        <translation>%1 %2 est actuellement la version la plus récente.</translation>
    </message>
    <message>
        <source>Update Error!</source>
        <translation>Erreur de mise à jour !</translation>
    </message>
    <message>
        <source>Update downloaded</source>
        <translation>Mise à jour téléchargée</translation>
    </message>
    <message>
        <source>%1 %2 was downloaded and verified:
%3

Replace the installed copy with it and start it again to finish updating.</source>
        <translation>%1 %2 a été téléchargé et vérifié :
%3

Remplacez la copie installée par celle-ci et relancez-la pour terminer la mise à jour.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Mise à jour du logiciel</translation>
    </message>
    <message>
        <source>A new version of %1 is available!</source>
        <translation>Une nouvelle version de %1 est disponible !</translation>
    </message>
    <message>
        <source>%1 %2 is now available; you have %3. Would you like to install it now?</source>
        <translation>%1 %2 est disponible ; vous avez %3. Voulez-vous l&apos;installer maintenant ?</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Ignorer cette version</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Plus tard</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installer</translation>
    </message>
</context>
<context>
    <name>X11GlobalShortcut</name>
    <message>
        <source>this keyboard has no such key</source>
        <translation>ce clavier n&apos;a pas cette touche</translation>
    </message>
</context>
</TS>
