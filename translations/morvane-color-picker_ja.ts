<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>AppcastUpdater</name>
    <message>
        <source>The application&apos;s update key is not valid.</source>
        <translation>アプリケーションの更新キーが無効です。</translation>
    </message>
    <message>
        <source>The update %1 is too large to download unasked.</source>
        <translation>アップデート %1 は大きすぎるため、確認なしではダウンロードできません。</translation>
    </message>
    <message>
        <source>%1 is older than a version already offered or installed (%2).</source>
        <translation>%1 は、すでに提示またはインストールされたバージョン (%2) より古いバージョンです。</translation>
    </message>
</context>
<context>
    <name>ColorPickerModel</name>
    <message>
        <source>No color on the clipboard</source>
        <translation>クリップボードに色がありません</translation>
    </message>
    <message>
        <source>Color pasted</source>
        <translation>色を貼り付けました</translation>
    </message>
    <message>
        <source>Hex copied</source>
        <translation>HEX をコピーしました</translation>
    </message>
    <message>
        <source>Recent colors cleared · Undo</source>
        <translation>最近の色を消去しました · 元に戻す</translation>
    </message>
    <message>
        <source>Recent colors restored</source>
        <translation>最近の色を元に戻しました</translation>
    </message>
</context>
<context>
    <name>ColorTemplate</name>
    <message>
        <source>the template is empty</source>
        <translation>テンプレートが空です</translation>
    </message>
    <message>
        <source>a lone &quot;}&quot; (write &quot;}}&quot; for a brace)</source>
        <translation>単独の &quot;}&quot; があります (波かっこは &quot;}}&quot; と書きます)</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without its &quot;}&quot; (write &quot;{{&quot; for a brace)</source>
        <translation>&quot;{&quot; に対応する &quot;}&quot; がありません (波かっこは &quot;{{&quot; と書きます)</translation>
    </message>
    <message>
        <source>unknown placeholder &quot;{%1}&quot;</source>
        <translation>不明なプレースホルダー &quot;{%1}&quot;</translation>
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
        <translation>実行中のコピーで色を取得し (必要なら起動し)、その hex を
出力して終了します。キャンセル時は終了ステータス 1</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>with --pick or --convert: print the color in notation ID
instead of hex</source>
        <translation>--pick または --convert と共に: hex の代わりに表記 ID で
色を出力します</translation>
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
        <translation>COLOR (hex, rgb, CSS rgb(), vec3, int, 0x...) を別の表記で
出力します (ディスプレイ不要)。- を指定すると標準入力から
1 行に 1 色ずつ読みます (色でない行があればステータス 2)</translation>
    </message>
    <message>
        <source>list the notation ids and labels</source>
        <translation>表記の ID と名前を一覧表示します</translation>
    </message>
    <message>
        <source>open the settings window</source>
        <translation>設定ウィンドウを開きます</translation>
    </message>
    <message>
        <source>check that the application starts, then quit</source>
        <translation>アプリケーションが起動することを確認して終了します</translation>
    </message>
    <message>
        <source>show this help and exit</source>
        <translation>このヘルプを表示して終了します</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>バージョンを表示して終了します</translation>
    </message>
    <message>
        <source>Usage: morvane-color-picker [OPTION]
Pick any color on your screen, right from the tray.
</source>
        <translation>使い方: morvane-color-picker [オプション]
トレイから画面上の好きな色を取得します。
</translation>
    </message>
    <message>
        <source>Without an option the picker starts in the tray; a second launch opens
the running copy&apos;s panel.
</source>
        <translation>オプションなしではトレイで起動します。2 回目の起動では実行中のコピーの
パネルを開きます。
</translation>
    </message>
</context>
<context>
    <name>ContrastSample</name>
    <message>
        <source>Sample text</source>
        <translation>サンプルテキスト</translation>
    </message>
</context>
<context>
    <name>ContrastSection</name>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Contrast with %1</source>
        <translation>%1 とのコントラスト</translation>
    </message>
    <message>
        <source>AA normal text</source>
        <translation>AA 通常テキスト</translation>
    </message>
    <message>
        <source>AA large text</source>
        <translation>AA 大きなテキスト</translation>
    </message>
    <message>
        <source>AAA normal text</source>
        <translation>AAA 通常テキスト</translation>
    </message>
    <message>
        <source>AAA large text</source>
        <translation>AAA 大きなテキスト</translation>
    </message>
    <message>
        <source>Non-text</source>
        <translation>非テキスト</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>合格</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>不合格</translation>
    </message>
    <message>
        <source>Contrast ratio %1</source>
        <translation>コントラスト比 %1</translation>
    </message>
</context>
<context>
    <name>DeferredUpdateFramework</name>
    <message>
        <source>The updater is missing or damaged; reinstalling the application should restore it.</source>
        <translation>アップデーターが見つからないか壊れています。アプリケーションを再インストールすると元に戻るはずです。</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal), and no session bus (D-Bus) is running to reach it.</source>
        <translation>画面からの色の取得にはデスクトップポータル (xdg-desktop-portal) が必要ですが、それに接続するセッションバス (D-Bus) が動いていません。</translation>
    </message>
    <message>
        <source>Screen picking needs the desktop portal (xdg-desktop-portal) with a screenshot back-end.</source>
        <translation>画面からの色の取得には、スクリーンショットのバックエンドを備えたデスクトップポータル (xdg-desktop-portal) が必要です。</translation>
    </message>
    <message>
        <source>Screen picking needs a screenshot back-end for the desktop portal that can pick colours (for instance xdg-desktop-portal-gnome, -kde or -wlr); the portal here has none.</source>
        <translation>画面からの色の取得には、色を取得できるデスクトップポータルのスクリーンショットバックエンド (たとえば xdg-desktop-portal-gnome、-kde、-wlr) が必要ですが、ここのポータルにはありません。</translation>
    </message>
    <message>
        <source>Screen picking needs a newer desktop portal: its screenshot interface is version %1, and picking colours needs version 2.</source>
        <translation>画面からの色の取得には新しいデスクトップポータルが必要です。スクリーンショットのインターフェースはバージョン %1 ですが、色の取得にはバージョン 2 が必要です。</translation>
    </message>
    <message>
        <source>The desktop portal could not pick a colour: its screenshot back-end failed or is missing.</source>
        <translation>デスクトップポータルが色を取得できませんでした。スクリーンショットのバックエンドが失敗したか、ありません。</translation>
    </message>
    <message>
        <source>The desktop portal stopped during the pick.</source>
        <translation>取得中にデスクトップポータルが停止しました。</translation>
    </message>
    <message>
        <source>Screen picking on %1 needs the desktop portal&apos;s wlroots back-end: install xdg-desktop-portal-wlr with grim and slurp, then log in again.</source>
        <translation>%1 で画面から色を取得するには、デスクトップポータルの wlroots バックエンドが必要です。grim と slurp と共に xdg-desktop-portal-wlr をインストールし、ログインし直してください。</translation>
    </message>
    <message>
        <source>%1&apos;s desktop portal cannot pick colours yet. In an X11 session (chosen at the login screen) the picker reads the screen itself.</source>
        <translation>%1 のデスクトップポータルはまだ色を取得できません。X11 セッション (ログイン画面で選択) では、ピッカーが画面を直接読み取ります。</translation>
    </message>
    <message>
        <source>Screen picking on GNOME needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-gnome, then log in again.</source>
        <translation>GNOME で画面から色を取得するにはデスクトップポータルが必要です。xdg-desktop-portal と xdg-desktop-portal-gnome をインストールし、ログインし直してください。</translation>
    </message>
    <message>
        <source>Screen picking on KDE Plasma needs the desktop portal: install xdg-desktop-portal and xdg-desktop-portal-kde, then log in again.</source>
        <translation>KDE Plasma で画面から色を取得するにはデスクトップポータルが必要です。xdg-desktop-portal と xdg-desktop-portal-kde をインストールし、ログインし直してください。</translation>
    </message>
</context>
<context>
    <name>FormatPreferences</name>
    <message>
        <source>the format needs a name</source>
        <translation>形式には名前が必要です</translation>
    </message>
    <message>
        <source>a format named &quot;%1&quot; exists</source>
        <translation>&quot;%1&quot; という名前の形式はすでにあります</translation>
    </message>
</context>
<context>
    <name>FormatsSection</name>
    <message>
        <source>Formats</source>
        <translation>形式</translation>
    </message>
    <message>
        <source>Formats shown in the panel</source>
        <translation>パネルに表示する形式</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上へ</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下へ</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Copied on a pick</source>
        <translation>取得時にコピー</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; {{ and }} for braces</source>
        <translation>{r} {g} {b}, {hex} {hexl}, {rf} {gf} {bf}, {h} {s} {l}; 波かっこは {{ と }}</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Your own</source>
        <translation>独自の形式</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>追加されませんでした: %1。</translation>
    </message>
    <message>
        <source>Name of your own format</source>
        <translation>独自の形式の名前</translation>
    </message>
    <message>
        <source>Template of your own format</source>
        <translation>独自の形式のテンプレート</translation>
    </message>
</context>
<context>
    <name>PanelFooter</name>
    <message>
        <source>Open the web picker</source>
        <translation>Web ピッカーを開く</translation>
    </message>
    <message>
        <source>Open the web color picker in your browser</source>
        <translation>Web カラーピッカーをブラウザーで開く</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Quit Morvane Color Picker</source>
        <translation>Morvane Color Picker を終了</translation>
    </message>
</context>
<context>
    <name>PickButton</name>
    <message>
        <source>Pick a color</source>
        <translation>色を取得</translation>
    </message>
    <message>
        <source>Pick a color from the screen</source>
        <translation>画面から色を取得</translation>
    </message>
</context>
<context>
    <name>PickKeySection</name>
    <message>
        <source>Pick a color with a key</source>
        <translation>キーで色を取得</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Key that picks a color</source>
        <translation>色を取得するキー</translation>
    </message>
    <message>
        <source>Command that picks a color</source>
        <translation>色を取得するコマンド</translation>
    </message>
</context>
<context>
    <name>PickShortcut</name>
    <message>
        <source>Asking the desktop for %1…</source>
        <translation>%1 をデスクトップに要求しています…</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color. Change it in the desktop&apos;s keyboard settings.</source>
        <translation>どこでも %1 を押すと色を取得します。デスクトップのキーボード設定で変更できます。</translation>
    </message>
    <message>
        <source>Press %1 anywhere to pick a color.</source>
        <translation>どこでも %1 を押すと色を取得します。</translation>
    </message>
    <message>
        <source>%1 is already taken by another program. Choose another key.</source>
        <translation>%1 はすでに別のプログラムが使用しています。別のキーを選んでください。</translation>
    </message>
    <message>
        <source>The desktop was not allowed to bind %1. Choose a key again to be asked again.</source>
        <translation>デスクトップは %1 の割り当てを許可されませんでした。もう一度キーを選ぶと、再び確認されます。</translation>
    </message>
    <message>
        <source>The desktop could not bind %1: %2</source>
        <translation>デスクトップは %1 を割り当てられませんでした: %2</translation>
    </message>
    <message>
        <source>This desktop does not let the picker bind a key itself. Bind this command to a key in the desktop&apos;s keyboard settings:</source>
        <translation>このデスクトップでは、ピッカーが自分でキーを割り当てることができません。デスクトップのキーボード設定で、このコマンドをキーに割り当ててください:</translation>
    </message>
    <message>
        <source>Morvane Color Picker keeps running, so %1 still picks a color. To see this window again, open Morvane Color Picker from the application menu. Close the window again to hide it.</source>
        <translation>Morvane Color Picker は実行を続けるため、%1 で引き続き色を取得できます。このウィンドウを再び表示するには、アプリケーションメニューから Morvane Color Picker を開いてください。もう一度ウィンドウを閉じると隠れます。</translation>
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
        <translation>色を貼り付け</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
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
        <translation>デスクトップポータルが停止しました</translation>
    </message>
    <message>
        <source>it did not start a shortcut session</source>
        <translation>ショートカットのセッションを開始しませんでした</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>色を取得</translation>
    </message>
    <message>
        <source>it refused the shortcut</source>
        <translation>ショートカットを拒否しました</translation>
    </message>
    <message>
        <source>its answer could not be received</source>
        <translation>応答を受け取れませんでした</translation>
    </message>
</context>
<context>
    <name>RecentChip</name>
    <message>
        <source>Use recent color %1</source>
        <translation>最近の色 %1 を使う</translation>
    </message>
    <message>
        <source>Recent color %1, %2 of %3</source>
        <translation>最近の色 %1 (%3 色中 %2 番目)</translation>
    </message>
    <message>
        <source>Compare contrast</source>
        <translation>コントラストを比較</translation>
    </message>
    <message>
        <source>Compare with a new pick</source>
        <translation>新しく取得した色と比較</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Clear recent colors</source>
        <translation>最近の色を消去</translation>
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
        <translation>%1 をアプリケーションに移動</translation>
    </message>
    <message>
        <source>To enable automatic updates, please drag %1 to your Applications folder, then relaunch.</source>
        <translation>自動アップデートを有効にするには、%1 をアプリケーションフォルダーにドラッグしてから再起動してください。</translation>
    </message>
    <message>
        <source>Reveal in Finder</source>
        <translation>ファイルマネージャーで表示</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>後で</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>General</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>ログイン時に起動</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>アップデート</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>アップデートを確認…</translation>
    </message>
    <message>
        <source>Get early-access updates</source>
        <translation>先行アップデートを受け取る</translation>
    </message>
    <message>
        <source>About</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>バージョン</translation>
    </message>
    <message>
        <source>Pick any color on your screen, right from the menu bar.</source>
        <translation>メニューバーから画面上の好きな色を取得します。</translation>
    </message>
    <message>
        <source>Recent colors to keep</source>
        <translation>保持する最近の色の数</translation>
    </message>
    <message>
        <source>Picking</source>
        <translation>色の取得</translation>
    </message>
</context>
<context>
    <name>SignedFeed</name>
    <message>
        <source>The update feed is not signed with the application&apos;s key.</source>
        <translation>アップデートフィードがアプリケーションのキーで署名されていません。</translation>
    </message>
    <message>
        <source>The update feed could not be read.</source>
        <translation>アップデートフィードを読み取れませんでした。</translation>
    </message>
</context>
<context>
    <name>SwatchView</name>
    <message>
        <source>Current color %1</source>
        <translation>現在の色 %1</translation>
    </message>
    <message>
        <source>No color picked yet</source>
        <translation>まだ色を取得していません</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Open Color Picker</source>
        <translation>カラーピッカーを開く</translation>
    </message>
    <message>
        <source>Pick a color</source>
        <translation>色を取得</translation>
    </message>
    <message>
        <source>Paste color</source>
        <translation>色を貼り付け</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>設定…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
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
        <translation>アップデート %1 は署名されていません。</translation>
    </message>
    <message>
        <source>The feed gives no size for the update %1.</source>
        <translation>フィードにアップデート %1 のサイズがありません。</translation>
    </message>
    <message>
        <source>The update could not be saved: no private folder.</source>
        <translation>アップデートを保存できませんでした: 専用フォルダーがありません。</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>アップデートを保存できませんでした: %1</translation>
    </message>
    <message>
        <source>The update %1 does not have the size the feed gives.</source>
        <translation>アップデート %1 のサイズがフィードの記載と異なります。</translation>
    </message>
    <message>
        <source>The update %1 is improperly signed and was not offered.</source>
        <translation>アップデート %1 の署名が不正なため、提示しませんでした。</translation>
    </message>
</context>
<context>
    <name>UpdateInstaller</name>
    <message>
        <source>The update could not be installed: %1</source>
        <translation>アップデートをインストールできませんでした: %1</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>%1 を作成できません</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
</context>
<context>
    <name>UpdateTransfer</name>
    <message>
        <source>The update address %1 does not use HTTPS.</source>
        <translation>アップデートのアドレス %1 は HTTPS を使っていません。</translation>
    </message>
    <message>
        <source>The update server redirected to %1, which is not allowed.</source>
        <translation>アップデートサーバーが %1 にリダイレクトしましたが、これは許可されていません。</translation>
    </message>
    <message>
        <source>The update server did not finish sending in time.</source>
        <translation>アップデートサーバーが時間内に送信を終えませんでした。</translation>
    </message>
    <message>
        <source>The update server sent more data than expected.</source>
        <translation>アップデートサーバーが想定より多くのデータを送信しました。</translation>
    </message>
    <message>
        <source>The update could not be saved: %1</source>
        <translation>アップデートを保存できませんでした: %1</translation>
    </message>
</context>
<context>
    <name>UpdaterService</name>
    <message>
        <source>Update check failed: %1</source>
        <translation>アップデートの確認に失敗しました: %1</translation>
    </message>
</context>
<context>
    <name>ValueRow</name>
    <message>
        <source>Copy %1 value</source>
        <translation>%1 の値をコピー</translation>
    </message>
    <message>
        <source>%1 copied</source>
        <translation>%1 をコピーしました</translation>
    </message>
    <message>
        <source>Copy %1 %2</source>
        <translation>%1 %2 をコピー</translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>Copying…</source>
        <translation>コピーしています…</translation>
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
        <translation>リリースノート</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>最新の状態です！</translation>
    </message>
    <message>
        <source>%1 %2 is currently the newest version available.</source>
        <translation>%1 %2 が現在利用できる最新バージョンです。</translation>
    </message>
    <message>
        <source>Update Error!</source>
        <translation>アップデートエラー！</translation>
    </message>
    <message>
        <source>Update downloaded</source>
        <translation>アップデートをダウンロードしました</translation>
    </message>
    <message>
        <source>%1 %2 was downloaded and verified:
%3

Replace the installed copy with it and start it again to finish updating.</source>
        <translation>%1 %2 をダウンロードして検証しました:
%3

インストール済みのコピーをこれに置き換え、再起動するとアップデートが完了します。</translation>
    </message>
    <message>
        <source>Software Update</source>
        <translation>ソフトウェアアップデート</translation>
    </message>
    <message>
        <source>A new version of %1 is available!</source>
        <translation>%1 の新しいバージョンがあります！</translation>
    </message>
    <message>
        <source>%1 %2 is now available; you have %3. Would you like to install it now?</source>
        <translation>%1 %2 が利用できます (現在は %3)。今すぐインストールしますか？</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>このバージョンをスキップ</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>後で</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>インストール</translation>
    </message>
</context>
<context>
    <name>X11GlobalShortcut</name>
    <message>
        <source>this keyboard has no such key</source>
        <translation>このキーボードにはそのキーがありません</translation>
    </message>
</context>
</TS>
