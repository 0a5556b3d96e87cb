<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AppcastUpdater</name>
    <message>
        <source>The application&apos;s update key is not valid.</source>
        <translation>A chave de atualização do aplicativo não é válida.</translation>
    </message>
    <message>
        <source>The update %1 is too large to download unasked.</source>
        <translation>A atualização %1 é grande demais para baixar sem perguntar.</translation>
    </message>
    <message>
        <source>%1 is older than a version already offered or installed (%2).</source>
        <translation>%1 é mais antiga que uma versão já oferecida ou instalada (%2).</translation>
    </message>
</context>
<context>
    <name>ColorPickerModel</name>
    <message>
        <source>No color on the clipboard</source>
        <translation>Nenhuma cor na área de transferência</translation>
    </message>
    <message>
        <source>Color pasted</source>
        <translation>Cor colada</translation>
    </message>
    <message>
        <source>Hex copied</source>
        <translation>HEX copiado</translation>
    </message>
    <message>
        <source>Recent colors cleared · Undo</source>
        <translation>Cores recentes apagadas · Desfazer</translation>
    </message>
    <message>
        <source>Recent colors restored</source>
        <translation>Cores recentes restauradas</translation>
    </message>
</context>
<context>
    <name>ColorTemplate</name>
    <message>
        <source>the template is empty</source>
        <translation>o modelo está vazio</translation>
    </message>
    <message>
        <source>a lone &quot;}&quot; (write &quot;}}&quot; for a brace)</source>
        <translation>um &quot;}&quot; sozinho (escreva &quot;}}&quot; para uma chave)</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without its &quot;}&quot; (write &quot;{{&quot; for a brace)</source>
        <translation>um &quot;{&quot; sem o seu &quot;}&quot; (escreva &quot;{{&quot; para uma chave)</translation>
    </message>
    <message>
        <source>unknown placeholder &quot;{%1}&quot;</source>
        <translation>marcador desconhecido &quot;{%1}&quot;</translation>
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
        <translation>capturar uma cor na cópia em execução (iniciando uma se
preciso), mostrar seu hex e sair; status 1 se cancelado</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>with --pick or --convert: print the color in notation ID
instead of hex</source>
        <translation>com --pick ou --convert: mostrar a cor na notação ID
em vez de hex</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>COR</translation>
    </message>
    <message>
        <source>print COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) in
another notation, without a display; with - read one
color a line from standard input (exit status 2 when a
line is no color)</source>
        <translation>mostrar COR (hex, rgb, CSS rgb(), vec3, int, 0x...) em
outra notação, sem tela; com - ler uma cor por linha
da entrada padrão (status 2 quando uma linha não é
uma cor)</translation>
    </message>
    <message>
        <source>list the notation ids and labels</source>
        <translation>listar os ids e rótulos das notações</translation>
    </message>
    <message>
        <source>open the settings window</source>
        <translation>abrir a janela de configurações</translation>
    </message>
    <message>
        <source>check that the application starts, then quit</source>
        <translation>verificar que o aplicativo inicia e sair</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>mostrar esta ajuda e sair</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>mostrar a versão e sair</translation>
    </message>
    <message>
        <source>Usage: morvane-color-picker [OPTION]
Pick any color on your screen, right from the tray.
</source>
        <translation>Uso: morvane-color-picker [OPÇÃO]
Capture qualquer cor da tela, direto da bandeja.
</translation>
    </message>
    <message>
        <source>Without an option the picker starts in the tray; a second launch opens
the running copy&apos;s panel.
</source>
        <translation>Sem opção, o seletor inicia na bandeja; uma segunda execução abre
o painel da cópia em execução.
</translation>
    </message>
</context>
<context>
    <name>ContrastSample</name>
    <message>
        <source>Sample text</source>
        <translation>Texto de exemplo</translation>
    </message>
</context>
<context>
    <name>ContrastSection</name>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Contrast with %1</source>
        <translation>Contraste com %1</translation>
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
        <translation>Não textual</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Aprovado</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Reprovado</translation>
    </message>
    <message>
        <source>Contrast ratio %1</source>
        <translation>Taxa de contraste %1</translation>
    </message>
</context>
<context>
    <name>DeferredUpdateFramework</name>
    <message>
        <source>The updater is missing or damaged; reinstalling the application should restore it.</source>
        <translation>O atualizador está ausente ou danificado; reinstalar o aplicativo deve restaurá-lo.</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal), and no session bus (D-Bus) is running to reach it.</source>
        <translation>Capturar cores da tela precisa do portal da área de trabalho (xdg-desktop-portal), e nenhum barramento de sessão (D-Bus) está em execução para alcançá-lo.</translation>
    </message>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal) with a screenshot back-end.</source>
        <translation>Capturar cores da tela precisa do portal da área de trabalho (xdg-desktop-portal) com um back-end de captura de tela.</translation>
    </message>
    <message>
        <source>Screen picking needs a screenshot back-end for the desktop portal that can pick colours (for instance xdg-desktop-portal-gnome, -kde or -wlr); the portal here has none.</source>
        <translation>Capturar cores da tela precisa de um back-end de captura de tela para o portal da área de trabalho que saiba capturar cores (por exemplo xdg-desktop-portal-gnome, -kde ou -wlr); o portal aqui não tem nenhum.</translation>
    </message>
    <message>
        <source>Screen picking needs a newer desktop portal: its screenshot interface is version %1, and picking colours needs version 2.</source>
        <translation>Capturar cores da tela precisa de um portal da área de trabalho mais novo: sua interface de captura é a versão %1, e capturar cores precisa da versão 2.</translation>
    </message>
    <message>
        <source>The desktop portal could not pick a colour: its screenshot back-end failed or is missing.</source>
        <translation>O portal da área de trabalho não conseguiu capturar uma cor: seu back-end de captura de tela falhou ou está ausente.</translation>
    </message>
    <message>
        <source>The desktop portal stopped during the pick.</source>
        <translation>O portal da área de trabalho parou durante a captura.</translation>
    </message>
    <message>
        <source>Screen picking on %1 needs the desktop portal&apos;s wlroots back-end: install xdg-desktop-portal-wlr with grim and slurp, then log in again.</source>
        <translation>Capturar cores da tela no %1 precisa do back-end wlroots do portal da área de trabalho: instale xdg-desktop-portal-wlr com grim e slurp e entre novamente.</translation>
    </message>
    <message>
        <source>%1&apos;s desktop portal cannot pick colours yet. In an X11 session (chosen at the login screen) the picker reads the screen itself.</source>
        <translation>O portal da área de trabalho do %1 ainda não sabe capturar cores. Numa sessão X11 (escolhida na tela de login) o seletor lê a tela por conta própria.</translation>
    </message>
    <message>
        <source>Screen picking on GNOME needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-gnome, then log in again.</source>
        <translation>Capturar cores da tela no GNOME precisa do portal da área de trabalho: instale xdg-desktop-portal e xdg-desktop-portal-gnome e entre novamente.</translation>
    </message>
    <message>
        <source>Screen picking on KDE Plasma needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-kde, then log in again.</source>
        <translation>Capturar cores da tela no KDE Plasma precisa do portal da área de trabalho: instale xdg-desktop-portal e xdg-desktop-portal-kde e entre novamente.</translation>
    </message>
</context>
<context>
    <name>FormatPreferences</name>
    <message>
        <source>the format needs a name</source>
        <translation>o formato precisa de um nome</translation>
    </message>
    <message>
        <source>a format named &quot;%1&quot; exists</source>
        <translation>já existe um formato chamado &quot;%1&quot;</translation>
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
        <translation>Formatos mostrados no painel</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Mover para cima</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Mover para baixo</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remover</translation>
    </message>
    <message>
        <source>Copied on a pick</source>
        <translation>Copiado ao capturar</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ and }} for braces</source>
        <translation>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ e }} para chaves</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message>
        <source>Your own</source>
        <translation>Próprios</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>Não adicionado: %1.</translation>
    </message>
    <message>
        <source>Name of your own format</source>
        <translation>Nome do formato próprio</translation>
    </message>
    <message>
        <source>Template of your own format</source>
        <translation>Modelo do formato próprio</translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>Open the web picker</source>
        <translation>Abrir o seletor web</translation>
    </message>
    <message>
        <source>Open the web color picker in your browser</source>
        <translation>Abrir o seletor de cores web no navegador</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Quit Morvane Color Picker</source>
        <translation>Sair do Morvane Color Picker</translation>
    </message>
</context>
<context>
    <name>PickButton</name>
    <message>
        <source>Pick a color</source>
        <translation>Capturar uma cor</translation>
    </message>
    <message>
        <source>Pick a color from the screen</source>
        <translation>Capturar uma cor da tela</translation>
    </message>
</context>
<context>
    <name>PickKeySection</name>
    <message>
        <source>Pick a color with a key</source>
        <translation>Capturar uma cor com uma tecla</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Key that picks a color</source>
        <translation>Tecla que captura uma cor</translation>
    </message>
    <message>
        <source>Command that picks a color</source>
        <translation>Comando que captura uma cor</translation>
    </message>
</context>
<context>
    <name>PickShortcut</name>
    <message>
        <source>Asking the desktop for %1…</source>
        <translation>Pedindo %1 à área de trabalho…</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color. Change it in the desktop&apos;s keyboard settings.</source>
        <translation>Pressione %1 em qualquer lugar para capturar uma cor. Altere nas configurações de teclado da área de trabalho.</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color.</source>
        <translation>Pressione %1 em qualquer lugar para capturar uma cor.</translation>
    </message>
    <message>
        <source>%1 is already taken by another program. Choose another key.</source>
        <translation>%1 já está em uso por outro programa. Escolha outra tecla.</translation>
    </message>
    <message>
        <source>The desktop was not allowed to bind %1. Choose a key again to be asked again.</source>
        <translation>A área de trabalho não teve permissão para associar %1. Escolha uma tecla de novo para ser perguntado de novo.</translation>
    </message>
    <message>
        <source>The desktop could not bind %1: %2</source>
        <translation>A área de trabalho não conseguiu associar %1: %2</translation>
    </message>
    <message>
        <source>This desktop does not let the picker bind a key itself. Bind this command to a key in the desktop&apos;s keyboard settings:</source>
        <translation>Esta área de trabalho não deixa o seletor associar uma tecla por conta própria. Associe este comando a uma tecla nas configurações de teclado da área de trabalho:</translation>
    </message>
    <message>
        <source>Morvane Color Picker keeps running, so %1 still picks a color. To see this window again, open Morvane Color Picker from the application menu. Close the window again to hide it.</source>
        <translation>O Morvane Color Picker continua em execução, então %1 ainda captura uma cor. Para ver esta janela de novo, abra o Morvane Color Picker pelo menu de aplicativos. Feche a janela de novo para ocultá-la.</translation>
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
        <translation>Colar cor</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Desfazer</translation>
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
        <translation>o portal da área de trabalho parou</translation>
    </message>
    <message>
        <source>it did not start a shortcut session</source>
        <translation>ele não iniciou uma sessão de atalhos</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Capturar uma cor</translation>
    </message>
    <message>
        <source>it refused the shortcut</source>
        <translation>ele recusou o atalho</translation>
    </message>
    <message>
        <source>its answer could not be received</source>
        <translation>sua resposta não pôde ser recebida</translation>
    </message>
</context>
<context>
    <name>RecentChip</name>
    <message>
        <source>Use recent color %1</source>
        <translation>Usar a cor recente %1</translation>
    </message>
    <message>
        <source>Recent color %1, %2 of %3</source>
        <translation>Cor recente %1, %2 de %3</translation>
    </message>
    <message>
        <source>Compare contrast</source>
        <translation>Comparar contraste</translation>
    </message>
    <message>
        <source>Compare with a new pick</source>
        <translation>Comparar com uma nova cor</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remover</translation>
    </message>
    <message>
        <source>Clear recent colors</source>
        <translation>Apagar cores recentes</translation>
    </message>
</context>
<context>
    <name>RecentsSection</name>
    <message>
        <source>Recent</source>
        <translation>Recentes</translation>
    </message>
</context>
<context>
    <name>RelocationWarning</name>
    <message>
        <source>Move %1 to Applications</source>
        <translation>Mover %1 para Aplicativos</translation>
    </message>
    <message>
        <source>To enable automatic updates, please drag %1 to your Applications folder, then relaunch.</source>
        <translation>Para ativar as atualizações automáticas, arraste %1 para a pasta Aplicativos e abra-o de novo.</translation>
    </message>
    <message>
        <source>Reveal in Finder</source>
        <translation>Mostrar no gerenciador de arquivos</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Mais tarde</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Geral</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Iniciar ao entrar</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Atualizações</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Verificar atualizações…</translation>
    </message>
    <message>
        <source>Get early-access updates</source>
        <translation>Receber atualizações antecipadas</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versão</translation>
    </message>
    <message>
        <source>Pick any color on your screen, right from the menu bar.</source>
        <translation>Capture qualquer cor da tela, direto da barra de menus.</translation>
    </message>
    <message>
        <source>Recent colors to keep</source>
        <translation>Cores recentes a manter</translation>
    </message>
    <message>
        <source>Picking</source>
        <translation>Captura</translation>
    </message>
</context>
<context>
    <name>SignedFeed</name>
    <message>
        <source>The update feed is not signed with the application&apos;s key.</source>
        <translation>O feed de atualizações não está assinado com a chave do aplicativo.</translation>
    </message>
    <message>
        <source>The update feed could not be read.</source>
        <translation>Não foi possível ler o feed de atualizações.</translation>
    </message>
</context>
<context>
    <name>SwatchView</name>
    <message>
        <source>Current color %1</source>
        <translation>Cor atual %1</translation>
    </message>
    <message>
        <source>No color picked yet</source>
        <translation>Nenhuma cor capturada ainda</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Color Picker</source>
        <translation>Abrir o seletor de cores</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>Capturar uma cor</translation>
    </message>
    <message>
        <source>Paste color</source>
        <translation>Colar cor</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Configurações…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
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
        <translation>A atualização %1 não está assinada.</translation>
    </message>
    <message>
        <source>The feed gives no size for the update %1.</source>
        <translation>O feed não informa o tamanho da atualização %1.</translation>
    </message>
    <message>
        <source>The update could not be saved: no private folder.</source>
        <translation>Não foi possível salvar a atualização: nenhuma pasta privada.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>Não foi possível salvar a atualização: %1</translation>
    </message>
    <message>
        <source>The update %1 does not have the size the feed gives.</source>
        <translation>A atualização %1 não tem o tamanho informado pelo feed.</translation>
    </message>
    <message>
        <source>The update %1 is improperly signed and was not offered.</source>
        <translation>A atualização %1 está assinada incorretamente e não foi oferecida.</translation>
    </message>
</context>
<context>
    <name>UpdateInstaller</name>
    <message>
        <source>The update could not be installed: %1</source>
        <translation>Não foi possível instalar a atualização: %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>não é possível criar %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>não é possível gravar %1</translation>
    </message>
</context>
<context>
    <name>UpdateTransfer</name>
    <message>
        <source>The update address %1 does not use HTTPS.</source>
        <translation>O endereço de atualização %1 não usa HTTPS.</translation>
    </message>
    <message>
        <source>The update server redirected to %1, which is not allowed.</source>
        <translation>O servidor de atualizações redirecionou para %1, o que não é permitido.</translation>
    </message>
    <message>
        <source>The update server did not finish sending in time.</source>
        <translation>O servidor de atualizações não terminou de enviar a tempo.</translation>
    </message>
    <message>
        <source>The update server sent more data than expected.</source>
        <translation>O servidor de atualizações enviou mais dados que o esperado.</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>Não foi possível salvar a atualização: %1</translation>
    </message>
</context>
<context>
    <name>UpdaterService</name>
    <message>
        <source>Update check failed: %1</source>
        <translation>Falha ao verificar atualizações: %1</translation>
    </message>
</context>
<context>
    <name>ValueRow</name>
    <message>
        <source>Copy %1 value</source>
        <translation>Copiar o valor %1</translation>
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
        <translation>Notas da versão</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>Você está atualizado!</translation>
    </message>
    <message>
        <source>%1 %2 is currently the newest version available.</source>
        <translation>%1 %2 é a versão mais recente disponível no momento.</translation>
    </message>
    <message>
        <source>Update Error!</source>
        <translation>Erro na atualização!</translation>
    </message>
    <message>
        <source>Update downloaded</source>
        <translation>Atualização baixada</translation>
    </message>
    <message>
        <source>%1 %2 was downloaded and verified:
%3

Replace the installed copy with it and start it again to finish updating.</source>
        <translation>%1 %2 foi baixado e verificado:
%3

Substitua a cópia instalada por ele e inicie-o de novo para concluir a atualização.</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>Atualização de software</translation>
    </message>
    <message>
        <source>A new version of %1 is available!</source>
        <translation>Uma nova versão do %1 está disponível!</translation>
    </message>
    <message>
        <source>%1 %2 is now available; you have %3. Would you like to install it now?</source>
        <translation>%1 %2 já está disponível; você tem a %3. Deseja instalá-la agora?</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Pular esta versão</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Mais tarde</translation>
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
        <translation>este teclado não tem essa tecla</translation>
    </message>
</context>
</TS>
