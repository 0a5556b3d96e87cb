<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AppcastUpdater</name>
    <message>
        <source>The application&apos;s update key is not valid.</source>
        <translation>应用程序的更新密钥无效。</translation>
    </message>
    <message>
        <source>The update %1 is too large to download unasked.</source>
        <translation>更新 %1 太大，无法在未询问的情况下下载。</translation>
    </message>
    <message>
        <source>%1 is older than a version already offered or installed (%2).</source>
        <translation>%1 比已提供或已安装的版本 (%2) 更旧。</translation>
    </message>
</context>
<context>
    <name>ColorPickerModel</name>
    <message>
        <source>No color on the clipboard</source>
        <translation>剪贴板上没有颜色</translation>
    </message>
    <message>
        <source>Color pasted</source>
        <translation>已粘贴颜色</translation>
    </message>
    <message>
        <source>Hex copied</source>
        <translation>已复制 HEX</translation>
    </message>
    <message>
        <source>Recent colors cleared · Undo</source>
        <translation>已清除最近的颜色 · 撤销</translation>
    </message>
    <message>
        <source>Recent colors restored</source>
        <translation>已恢复最近的颜色</translation>
    </message>
</context>
<context>
    <name>ColorTemplate</name>
    <message>
        <source>the template is empty</source>
        <translation>模板为空</translation>
    </message>
    <message>
        <source>a lone &quot;}&quot; (write &quot;}}&quot; for a brace)</source>
        <translation>单独的“}”（花括号请写作“}}”）</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without its &quot;}&quot; (write &quot;{{&quot; for a brace)</source>
        <translation>“{”缺少对应的“}”（花括号请写作“{{”）</translation>
    </message>
    <message>
        <source>unknown placeholder &quot;{%1}&quot;</source>
        <translation>未知占位符“{%1}”</translation>
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
        <translation>在正在运行的副本中拾取颜色（必要时启动一个），输出其
hex 后退出；取消时退出状态为 1</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>with --pick or --convert: print the color in notation ID
instead of hex</source>
        <translation>与 --pick 或 --convert 一起使用：以表示法 ID 而非 hex
输出颜色</translation>
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
        <translation>以另一种表示法输出 COLOR（hex、rgb、CSS rgb()、vec3、
int、0x...），无需显示器；使用 - 时从标准输入每行读取
一个颜色（有一行不是颜色时退出状态为 2）</translation>
    </message>
    <message>
        <source>list the notation ids and labels</source>
        <translation>列出表示法的 ID 和名称</translation>
    </message>
    <message>
        <source>open the settings window</source>
        <translation>打开设置窗口</translation>
    </message>
    <message>
        <source>check that the application starts, then quit</source>
        <translation>检查应用程序能否启动，然后退出</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>显示此帮助并退出</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>显示版本并退出</translation>
    </message>
    <message>
        <source>Usage: morvane-color-picker [OPTION]
Pick any color on your screen, right from the tray.
</source>
        <translation>用法: morvane-color-picker [选项]
从托盘直接拾取屏幕上的任意颜色。
</translation>
    </message>
    <message>
        <source>Without an option the picker starts in the tray; a second launch opens
the running copy&apos;s panel.
</source>
        <translation>不带选项时拾色器在托盘中启动；再次启动会打开正在运行的副本的面板。
</translation>
    </message>
</context>
<context>
    <name>ContrastSample</name>
    <message>
        <source>Sample text</source>
        <translation>示例文字</translation>
    </message>
</context>
<context>
    <name>ContrastSection</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Contrast with %1</source>
        <translation>与 %1 的对比度</translation>
    </message>
    <message>
        <source>AA normal text</source>
        <translation>AA 普通文字</translation>
    </message>
    <message>
        <source>AA large text</source>
        <translation>AA 大号文字</translation>
    </message>
    <message>
        <source>AAA normal text</source>
        <translation>AAA 普通文字</translation>
    </message>
    <message>
        <source>AAA large text</source>
        <translation>AAA 大号文字</translation>
    </message>
    <message>
        <source>Non-text</source>
        <translation>非文字</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>通过</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>未通过</translation>
    </message>
    <message>
        <source>Contrast ratio %1</source>
        <translation>对比度 %1</translation>
    </message>
</context>
<context>
    <name>DeferredUpdateFramework</name>
    <message>
        <source>The updater is missing or damaged; reinstalling the application should restore it.</source>
        <translation>更新程序缺失或已损坏；重新安装应用程序应可恢复。</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal), and no session bus (D-Bus) is running to reach it.</source>
        <translation>屏幕取色需要桌面门户 (xdg-desktop-portal)，但没有运行会话总线 (D-Bus) 来连接它。</translation>
    </message>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal) with a screenshot back-end.</source>
        <translation>屏幕取色需要带截图后端的桌面门户 (xdg-desktop-portal)。</translation>
    </message>
    <message>
        <source>Screen picking needs a screenshot back-end for the desktop portal that can pick colours (for instance xdg-desktop-portal-gnome, -kde or -wlr); the portal here has none.</source>
        <translation>屏幕取色需要能拾取颜色的桌面门户截图后端（例如 xdg-desktop-portal-gnome、-kde 或 -wlr）；此处的门户没有。</translation>
    </message>
    <message>
        <source>Screen picking needs a newer desktop portal: its screenshot interface is version %1, and picking colours needs version 2.</source>
        <translation>屏幕取色需要更新的桌面门户：其截图接口为版本 %1，而拾取颜色需要版本 2。</translation>
    </message>
    <message>
        <source>The desktop portal could not pick a colour: its screenshot back-end failed or is missing.</source>
        <translation>桌面门户无法拾取颜色：其截图后端失败或缺失。</translation>
    </message>
    <message>
        <source>The desktop portal stopped during the pick.</source>
        <translation>拾取过程中桌面门户已停止。</translation>
    </message>
    <message>
        <source>Screen picking on %1 needs the desktop portal&apos;s wlroots back-end: install xdg-desktop-portal-wlr with grim and slurp, then log in again.</source>
        <translation>在 %1 上屏幕取色需要桌面门户的 wlroots 后端：请安装 xdg-desktop-portal-wlr 以及 grim 和 slurp，然后重新登录。</translation>
    </message>
    <message>
        <source>%1&apos;s desktop portal cannot pick colours yet. In an X11 session (chosen at the login screen) the picker reads the screen itself.</source>
        <translation>%1 的桌面门户尚不能拾取颜色。在 X11 会话（在登录界面选择）中，拾色器会自行读取屏幕。</translation>
    </message>
    <message>
        <source>Screen picking on GNOME needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-gnome, then log in again.</source>
        <translation>在 GNOME 上屏幕取色需要桌面门户：请安装 xdg-desktop-portal 和 xdg-desktop-portal-gnome，然后重新登录。</translation>
    </message>
    <message>
        <source>Screen picking on KDE Plasma needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-kde, then log in again.</source>
        <translation>在 KDE Plasma 上屏幕取色需要桌面门户：请安装 xdg-desktop-portal 和 xdg-desktop-portal-kde，然后重新登录。</translation>
    </message>
</context>
<context>
    <name>FormatPreferences</name>
    <message>
        <source>the format needs a name</source>
        <translation>格式需要名称</translation>
    </message>
    <message>
        <source>a format named &quot;%1&quot; exists</source>
        <translation>名为“%1”的格式已存在</translation>
    </message>
</context>
<context>
    <name>FormatsSection</name>
    <message>
        <source>Formats</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Formats shown in the panel</source>
        <translation>面板中显示的格式</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Copied on a pick</source>
        <translation>拾取时复制</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ and }} for braces</source>
        <translation>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}；花括号写作 {{ 和 }}</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Your own</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>未添加：%1。</translation>
    </message>
    <message>
        <source>Name of your own format</source>
        <translation>自定义格式的名称</translation>
    </message>
    <message>
        <source>Template of your own format</source>
        <translation>自定义格式的模板</translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>Open the web picker</source>
        <translation>打开网页拾色器</translation>
    </message>
    <message>
        <source>Open the web color picker in your browser</source>
        <translation>在浏览器中打开网页拾色器</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Quit Morvane Color Picker</source>
        <translation>退出 Morvane Color Picker</translation>
    </message>
</context>
<context>
    <name>PickButton</name>
    <message>
        <source>Pick a color</source>
        <translation>拾取颜色</translation>
    </message>
    <message>
        <source>Pick a color from the screen</source>
        <translation>从屏幕拾取颜色</translation>
    </message>
</context>
<context>
    <name>PickKeySection</name>
    <message>
        <source>Pick a color with a key</source>
        <translation>用按键拾取颜色</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Key that picks a color</source>
        <translation>拾取颜色的按键</translation>
    </message>
    <message>
        <source>Command that picks a color</source>
        <translation>拾取颜色的命令</translation>
    </message>
</context>
<context>
    <name>PickShortcut</name>
    <message>
        <source>Asking the desktop for %1…</source>
        <translation>正在向桌面请求 %1…</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color. Change it in the desktop&apos;s keyboard settings.</source>
        <translation>在任意位置按 %1 即可拾取颜色。可在桌面的键盘设置中更改。</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color.</source>
        <translation>在任意位置按 %1 即可拾取颜色。</translation>
    </message>
    <message>
        <source>%1 is already taken by another program. Choose another key.</source>
        <translation>%1 已被其他程序占用。请选择其他按键。</translation>
    </message>
    <message>
        <source>The desktop was not allowed to bind %1. Choose a key again to be asked again.</source>
        <translation>桌面未获准绑定 %1。再次选择按键即可再次询问。</translation>
    </message>
    <message>
        <source>The desktop could not bind %1: %2</source>
        <translation>桌面无法绑定 %1：%2</translation>
    </message>
    <message>
        <source>This desktop does not let the picker bind a key itself. Bind this command to a key in the desktop&apos;s keyboard settings:</source>
        <translation>此桌面不允许拾色器自行绑定按键。请在桌面的键盘设置中将此命令绑定到按键：</translation>
    </message>
    <message>
        <source>Morvane Color Picker keeps running, so %1 still picks a color. To see this window again, open Morvane Color Picker from the application menu. Close the window again to hide it.</source>
        <translation>Morvane Color Picker 会继续运行，因此 %1 仍可拾取颜色。要再次看到此窗口，请从应用程序菜单打开 Morvane Color Picker。再次关闭窗口即可隐藏。</translation>
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
        <translation>粘贴颜色</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
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
        <translation>桌面门户已停止</translation>
    </message>
    <message>
        <source>it did not start a shortcut session</source>
        <translation>它没有启动快捷键会话</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>拾取颜色</translation>
    </message>
    <message>
        <source>it refused the shortcut</source>
        <translation>它拒绝了快捷键</translation>
    </message>
    <message>
        <source>its answer could not be received</source>
        <translation>无法收到它的回复</translation>
    </message>
</context>
<context>
    <name>RecentChip</name>
    <message>
        <source>Use recent color %1</source>
        <translation>使用最近的颜色 %1</translation>
    </message>
    <message>
        <source>Recent color %1, %2 of %3</source>
        <translation>最近的颜色 %1，第 %2 个，共 %3 个</translation>
    </message>
    <message>
        <source>Compare contrast</source>
        <translation>比较对比度</translation>
    </message>
    <message>
        <source>Compare with a new pick</source>
        <translation>与新取的颜色比较</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Clear recent colors</source>
        <translation>清除最近的颜色</translation>
    </message>
</context>
<context>
    <name>RecentsSection</name>
    <message>
        <source>Recent</source>
        <translation>最近</translation>
    </message>
</context>
<context>
    <name>RelocationWarning</name>
    <message>
        <source>Move %1 to Applications</source>
        <translation>将 %1 移到应用程序</translation>
    </message>
    <message>
        <source>To enable automatic updates, please drag %1 to your Applications folder, then relaunch.</source>
        <translation>要启用自动更新，请将 %1 拖到“应用程序”文件夹，然后重新启动。</translation>
    </message>
    <message>
        <source>Reveal in Finder</source>
        <translation>在文件管理器中显示</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>稍后</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>登录时启动</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>检查更新…</translation>
    </message>
    <message>
        <source>Get early-access updates</source>
        <translation>获取抢先体验更新</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Pick any color on your screen, right from the menu bar.</source>
        <translation>从菜单栏直接拾取屏幕上的任意颜色。</translation>
    </message>
    <message>
        <source>Recent colors to keep</source>
        <translation>保留的最近颜色数</translation>
    </message>
    <message>
        <source>Picking</source>
        <translation>拾取</translation>
    </message>
</context>
<context>
    <name>SignedFeed</name>
    <message>
        <source>The update feed is not signed with the application&apos;s key.</source>
        <translation>更新源未使用应用程序的密钥签名。</translation>
    </message>
    <message>
        <source>The update feed could not be read.</source>
        <translation>无法读取更新源。</translation>
    </message>
</context>
<context>
    <name>SwatchView</name>
    <message>
        <source>Current color %1</source>
        <translation>当前颜色 %1</translation>
    </message>
    <message>
        <source>No color picked yet</source>
        <translation>尚未拾取颜色</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Color Picker</source>
        <translation>打开拾色器</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>拾取颜色</translation>
    </message>
    <message>
        <source>Paste color</source>
        <translation>粘贴颜色</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>设置…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
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
        <translation>更新 %1 未签名。</translation>
    </message>
    <message>
        <source>The feed gives no size for the update %1.</source>
        <translation>更新源未给出更新 %1 的大小。</translation>
    </message>
    <message>
        <source>The update could not be saved: no private folder.</source>
        <translation>无法保存更新：没有私有文件夹。</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>无法保存更新：%1</translation>
    </message>
    <message>
        <source>The update %1 does not have the size the feed gives.</source>
        <translation>更新 %1 的大小与更新源给出的不符。</translation>
    </message>
    <message>
        <source>The update %1 is improperly signed and was not offered.</source>
        <translation>更新 %1 签名不正确，未提供。</translation>
    </message>
</context>
<context>
    <name>UpdateInstaller</name>
    <message>
        <source>The update could not be installed: %1</source>
        <translation>无法安装更新：%1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>无法创建 %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>无法写入 %1</translation>
    </message>
</context>
<context>
    <name>UpdateTransfer</name>
    <message>
        <source>The update address %1 does not use HTTPS.</source>
        <translation>更新地址 %1 未使用 HTTPS。</translation>
    </message>
    <message>
        <source>The update server redirected to %1, which is not allowed.</source>
        <translation>更新服务器重定向到了 %1，这是不允许的。</translation>
    </message>
    <message>
        <source>The update server did not finish sending in time.</source>
        <translation>更新服务器未能按时发送完毕。</translation>
    </message>
    <message>
        <source>The update server sent more data than expected.</source>
        <translation>更新服务器发送的数据超出预期。</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>无法保存更新：%1</translation>
    </message>
</context>
<context>
    <name>UpdaterService</name>
    <message>
        <source>Update check failed: %1</source>
        <translation>检查更新失败：%1</translation>
    </message>
</context>
<context>
    <name>ValueRow</name>
    <message>
        <source>Copy %1 value</source>
        <translation>复制 %1 值</translation>
    </message>
    <message>
        <source>%1 copied</source>
        <translation>已复制 %1</translation>
    </message>
    <message>
        <source>Copy %1 %2</source>
        <translation>复制 %1 %2</translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>Copying…</source>
        <translation>正在复制…</translation>
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
        <translation>发行说明</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>已是最新版本！</translation>
    </message>
    <message>
        <source>%1 %2 is currently the newest version available.</source>
        <translation>%1 %2 是当前可用的最新版本。</translation>
    </message>
    <message>
        <source>Update Error!</source>
        <translation>更新错误！</translation>
    </message>
    <message>
        <source>Update downloaded</source>
        <translation>更新已下载</translation>
    </message>
    <message>
        <source>%1 %2 was downloaded and verified:
%3

Replace the installed copy with it and start it again to finish updating.</source>
        <translation>%1 %2 已下载并验证：
%3

用它替换已安装的副本并重新启动，即可完成更新。</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>软件更新</translation>
    </message>
    <message>
        <source>A new version of %1 is available!</source>
        <translation>%1 有新版本可用！</translation>
    </message>
    <message>
        <source>%1 %2 is now available; you have %3. Would you like to install it now?</source>
        <translation>%1 %2 现已可用；您的版本为 %3。要立即安装吗？</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>跳过此版本</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>稍后</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>安装</translation>
    </message>
</context>
<context>
    <name>X11GlobalShortcut</name>
    <message>
        <source>this keyboard has no such key</source>
        <translation>此键盘没有该按键</translation>
    </message>
</context>
</TS>
