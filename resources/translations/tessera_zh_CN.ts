<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name></name>
    <message id="CFBundleDisplayName">
        <source>Tessera</source>
        <translation>Tessera 拼图</translation>
    </message>
    <message id="ABOUT_MENU_ITEM">
        <source>About %1</source>
        <translation>关于 %1</translation>
    </message>
    <message id="HIDE_MENU_ITEM">
        <source>Hide %1</source>
        <translation>隐藏 %1</translation>
    </message>
    <message id="QUIT_MENU_ITEM">
        <source>Quit %1</source>
        <translation>退出 %1</translation>
    </message>
    <message id="HELP_MENU_ITEM">
        <source>%1 Help</source>
        <translation>%1 帮助</translation>
    </message>
    <message id="WARNING_TITLE">
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message id="INFO_TITLE">
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message id="QUESTION_TITLE">
        <source>Please Confirm</source>
        <translation>请确认</translation>
    </message>
    <message id="BUTTON_OK">
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message id="BUTTON_YES">
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message id="BUTTON_NO">
        <source>No</source>
        <translation>否</translation>
    </message>
    <message id="NEW_CANVAS">
        <source>Start a new canvas? The photos and captions on the current canvas will be removed.</source>
        <translation>要新建画布吗？当前画布上的照片和文字将被移除。</translation>
    </message>
    <message id="APP_QUIT">
        <source>Quit now? Collages that have not been saved will be lost.</source>
        <translation>现在退出吗？尚未保存的拼图将会丢失。</translation>
    </message>
    <message id="CAN_NOT_DELETE_IMAGE">
        <source>Only backgrounds that you added can be deleted. Plain white, plain black and the backgrounds that come with Tessera always stay in the library.</source>
        <translation>只能删除您自己添加的背景。纯白、纯黑以及 Tessera 自带的背景始终保留在背景库中。</translation>
    </message>
    <message id="DELETE_FAILED">
        <source>“%1” could not be deleted, so it stays in the library. Check that its folder can be written to.</source>
        <translation>无法删除“%1”，因此它仍保留在库中。请检查其所在文件夹是否可写。</translation>
    </message>
    <message id="CAN_NOT_DELETE_TEMPLATE">
        <source>Only templates that you added can be deleted. The templates that come with Tessera always stay in the library.</source>
        <translation>只能删除您自己添加的模板。Tessera 自带的模板始终保留在模板库中。</translation>
    </message>
    <message id="TEMPLATES_NOT_ADDED">
        <source>These files were not added: they are not templates that Tessera can read (a size line and at least one cell).</source>
        <translation>以下文件未被添加：它们不是 Tessera 能读取的模板（需要尺寸行和至少一个格子）。</translation>
    </message>
    <message id="BACKGROUNDS_NOT_ADDED">
        <source>These files were not added: they are not pictures that Tessera can read (PNG, JPEG, BMP or TIFF).</source>
        <translation>以下文件未被添加：它们不是 Tessera 能读取的图片（PNG、JPEG、BMP 或 TIFF）。</translation>
    </message>
    <message id="DELETE_IMAGE">
        <source>Delete this background? Its picture will be removed from your Backgrounds folder.</source>
        <translation>要删除这个背景吗？其图片将从您的背景文件夹中移除。</translation>
    </message>
    <message id="DELETE_TEMPLATE">
        <source>Delete this template? Its file will be removed from your Templates folder.</source>
        <translation>要删除这个模板吗？其文件将从您的模板文件夹中移除。</translation>
    </message>
    <message id="NO_TEMPLATE_LEFT">
        <source>This is the last template and cannot be deleted.</source>
        <translation>这是最后一个模板，无法删除。</translation>
    </message>
    <message id="DELETE_STYLE">
        <source>Delete this text style?</source>
        <translation>要删除这个文字样式吗？</translation>
    </message>
    <message id="CANVAS_FIT">
        <source>Fit</source>
        <translation>适合窗口</translation>
    </message>
    <message id="FILTER_ALL">
        <source>All Templates</source>
        <translation>全部模板</translation>
    </message>
    <message id="FILTER_2">
        <source>2 Photos</source>
        <translation>2 张照片</translation>
    </message>
    <message id="FILTER_3">
        <source>3 Photos</source>
        <translation>3 张照片</translation>
    </message>
    <message id="FILTER_4">
        <source>4 Photos</source>
        <translation>4 张照片</translation>
    </message>
    <message id="FILTER_5">
        <source>5 Photos</source>
        <translation>5 张照片</translation>
    </message>
    <message id="FILTER_6">
        <source>6 Photos</source>
        <translation>6 张照片</translation>
    </message>
    <message id="FILTER_7">
        <source>7 Photos</source>
        <translation>7 张照片</translation>
    </message>
    <message id="FILTER_8">
        <source>8 Photos</source>
        <translation>8 张照片</translation>
    </message>
    <message id="FILTER_9">
        <source>9 or More Photos</source>
        <translation>9 张及以上照片</translation>
    </message>
    <message id="TIP_FRAME">
        <source>Templates</source>
        <translation>模板</translation>
    </message>
    <message id="TIP_BACKGROUND">
        <source>Backgrounds</source>
        <translation>背景</translation>
    </message>
    <message id="TIP_BORDER">
        <source>Borders</source>
        <translation>边框</translation>
    </message>
    <message id="TOOLTIP_RATIO">
        <source>Canvas aspect ratio</source>
        <translation>画布比例</translation>
    </message>
    <message id="TOOLTIP_RATIO_LOCKED">
        <source>This template fixes the aspect ratio</source>
        <translation>此模板已固定画布比例</translation>
    </message>
    <message id="MAKE_DEFAULT">
        <source>Use for new text</source>
        <translation>用于新文字</translation>
    </message>
    <message id="DEFAULT_TEXT_STYLE">
        <source>Default</source>
        <translation>默认样式</translation>
    </message>
    <message id="DEFAULT_STYLE_TEXT">
        <source>Default</source>
        <translation>默认样式</translation>
    </message>
    <message id="DEFAULT_TEXT">
        <source>Your text</source>
        <translation>双击编辑文字</translation>
    </message>
    <message id="DEFAULT_TEXT_FONT">
        <source>DejaVu Sans</source>
        <translation>DejaVu Sans</translation>
    </message>
    <message id="BRING_TO_FRONT">
        <source>Bring to Front</source>
        <translation>移到最前</translation>
    </message>
    <message id="SHOW_PROP">
        <source>Properties…</source>
        <translation>属性…</translation>
    </message>
    <message id="STYLE_LIST">
        <source>Text Styles</source>
        <translation>文字样式</translation>
    </message>
    <message id="SAVE_TO_TEXT_LIBRARY">
        <source>Save as Text Style…</source>
        <translation>存储为文字样式…</translation>
    </message>
    <message id="CLEAR_STYLE">
        <source>Clear Style</source>
        <translation>清除样式</translation>
    </message>
    <message id="REMOVE_ITEM">
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message id="HELP_CN_MENU_ITEM">
        <source>%1 Help (Chinese)</source>
        <translation>%1 中文帮助</translation>
    </message>
    <message id="HELP_EN_MENU_ITEM">
        <source>%1 Help (English)</source>
        <translation>%1 英文帮助</translation>
    </message>
    <message id="HELP_MISSING">
        <source>The help pages are not installed. Reinstalling the program brings them back.</source>
        <translation>帮助页面没有安装。重新安装本程序即可恢复。</translation>
    </message>
    <message id="OPEN_URL_FAILED">
        <source>Nothing on this computer can open %1. Install a web browser, or open the address yourself.</source>
        <translation>这台电脑上没有可以打开 %1 的程序。请安装网页浏览器，或自己打开这个地址。</translation>
    </message>
    <message id="MENU_FILE">
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message id="MENU_NEW_CANVAS">
        <source>&amp;New Canvas</source>
        <translation>新建画布(&amp;N)</translation>
    </message>
    <message id="MENU_ADD_PHOTOS">
        <source>Add &amp;Photos…</source>
        <translation>添加照片(&amp;P)…</translation>
    </message>
    <message id="MENU_NEW">
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message id="MENU_OPEN">
        <source>&amp;Open…</source>
        <translation>打开(&amp;O)…</translation>
    </message>
    <message id="MENU_OPEN_RECENT">
        <source>Open &amp;Recent</source>
        <translation>打开最近使用(&amp;R)</translation>
    </message>
    <message id="MENU_CLEAR_RECENT">
        <source>Clear Menu</source>
        <translation>清除菜单</translation>
    </message>
    <message id="MENU_SAVE_DOCUMENT">
        <source>&amp;Save</source>
        <translation>存储(&amp;S)</translation>
    </message>
    <message id="MENU_SAVE_AS">
        <source>Save &amp;As…</source>
        <translation>另存为(&amp;A)…</translation>
    </message>
    <message id="MENU_SAVE_COPY_WITH_PHOTOS">
        <source>Save a Copy With &amp;Photos…</source>
        <translation>存储含照片的副本(&amp;P)…</translation>
    </message>
    <message id="MENU_EXPORT">
        <source>&amp;Export…</source>
        <translation>导出(&amp;E)…</translation>
    </message>
    <message id="UNTITLED_DOCUMENT">
        <source>Untitled</source>
        <translation>未命名</translation>
    </message>
    <message id="DOCUMENT_FILTER">
        <source>Tessera collages (*.tessera)</source>
        <translation>Tessera 拼贴 (*.tessera)</translation>
    </message>
    <message id="OPEN_DOCUMENT_TITLE">
        <source>Open Collage</source>
        <translation>打开拼贴</translation>
    </message>
    <message id="SAVE_DOCUMENT_TITLE">
        <source>Save Collage</source>
        <translation>存储拼贴</translation>
    </message>
    <message id="SAVE_COPY_TITLE">
        <source>Save a Copy With Photos</source>
        <translation>存储含照片的副本</translation>
    </message>
    <message id="SAVE_CHANGES_QUESTION">
        <source>Do you want to save the changes you made to the collage “%1”?
Your changes will be lost if you don’t save them.</source>
        <translation>要存储对拼贴“%1”所做的更改吗？
如果不存储，您的更改将丢失。</translation>
    </message>
    <message id="RESTORE_AUTOSAVE_QUESTION">
        <source>Tessera did not quit normally last time. Restore the collage autosaved at %1?</source>
        <translation>Tessera 上次没有正常退出。要恢复 %1 自动存储的拼图吗？</translation>
    </message>
    <message id="BUTTON_SAVE">
        <source>Save</source>
        <translation>存储</translation>
    </message>
    <message id="BUTTON_DONT_SAVE">
        <source>Don’t Save</source>
        <translation>不存储</translation>
    </message>
    <message id="DOCUMENT_OPEN_FAILED">
        <source>The collage “%1” could not be opened:</source>
        <translation>无法打开拼贴“%1”：</translation>
    </message>
    <message id="DOCUMENT_SAVE_FAILED">
        <source>The collage could not be saved as “%1”:</source>
        <translation>无法将拼贴存储为“%1”：</translation>
    </message>
    <message id="DOCUMENT_MISSING_FILES">
        <source>Some files of the collage “%1” could not be read. Missing photos keep their places in grey:</source>
        <translation>拼贴“%1”的部分文件无法读取。缺失的照片以灰色保留其位置：</translation>
    </message>
    <message id="DOCUMENT_COPY_FAILED">
        <source>The copy could not be saved: %1.</source>
        <translation>无法存储副本：%1。</translation>
    </message>
    <message id="DOCUMENT_COPY_NOT_COPIED">
        <source>The copy was saved. These photos were missing and are referred to where they were:
%1</source>
        <translation>副本已存储。以下照片缺失，副本仍指向其原来的位置：
%1</translation>
    </message>
    <message id="MENU_EXPORT_PDF">
        <source>Export as P&amp;DF…</source>
        <translation>导出为 PDF(&amp;D)…</translation>
    </message>
    <message id="MENU_PRINT_PREVIEW">
        <source>Print Pre&amp;view…</source>
        <translation>打印预览(&amp;V)…</translation>
    </message>
    <message id="MENU_PRINT">
        <source>&amp;Print…</source>
        <translation>打印(&amp;P)…</translation>
    </message>
    <message id="PRINT_TITLE">
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message id="PRINT_PROGRESS">
        <source>Preparing the page for the printer…</source>
        <translation>正在为打印机准备页面…</translation>
    </message>
    <message id="PRINT_FAILED">
        <source>The collage could not be printed.</source>
        <translation>无法打印拼图。</translation>
    </message>
    <message id="PDF_PANEL_TITLE">
        <source>Export as PDF</source>
        <translation>导出为 PDF</translation>
    </message>
    <message id="PDF_PAPER">
        <source>Paper:</source>
        <translation>纸张：</translation>
    </message>
    <message id="PDF_ORIENTATION">
        <source>Orientation:</source>
        <translation>方向：</translation>
    </message>
    <message id="PDF_ORIENTATION_AUTO">
        <source>Like the collage</source>
        <translation>与拼图一致</translation>
    </message>
    <message id="PDF_PORTRAIT">
        <source>Portrait</source>
        <translation>纵向</translation>
    </message>
    <message id="PDF_LANDSCAPE">
        <source>Landscape</source>
        <translation>横向</translation>
    </message>
    <message id="PDF_RESOLUTION">
        <source>Photo resolution:</source>
        <translation>照片分辨率：</translation>
    </message>
    <message id="PDF_DPI_SUFFIX">
        <source> dpi</source>
        <translation> 点/英寸</translation>
    </message>
    <message id="PDF_PROGRESS">
        <source>Writing “%1”…</source>
        <translation>正在写入“%1”…</translation>
    </message>
    <message id="PDF_FAILED">
        <source>The PDF “%1” could not be written.</source>
        <translation>无法写入 PDF“%1”。</translation>
    </message>
    <message id="MENU_VIEW">
        <source>&amp;View</source>
        <translation>显示(&amp;V)</translation>
    </message>
    <message id="MENU_TEMPLATE_LAYOUT">
        <source>&amp;Template Layout</source>
        <translation>模板拼图(&amp;T)</translation>
    </message>
    <message id="MENU_FREE_LAYOUT">
        <source>&amp;Free Layout</source>
        <translation>自由拼图(&amp;F)</translation>
    </message>
    <message id="MENU_SERIAL_LAYOUT">
        <source>&amp;Serial Layout</source>
        <translation>拼接长图(&amp;S)</translation>
    </message>
    <message id="MENU_TEMPLATES_PAGE">
        <source>Templates</source>
        <translation>模板</translation>
    </message>
    <message id="MENU_BACKGROUNDS_PAGE">
        <source>Backgrounds</source>
        <translation>背景</translation>
    </message>
    <message id="MENU_BORDERS_PAGE">
        <source>Borders</source>
        <translation>边框</translation>
    </message>
    <message id="MENU_ZOOM_IN">
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message id="MENU_ZOOM_OUT">
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message id="MENU_ZOOM_FIT">
        <source>Fit in Window</source>
        <translation>适合窗口</translation>
    </message>
    <message id="MESSAGE_CLOSE">
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message id="MENU_HELP">
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message id="MENU_WHATS_NEW">
        <source>What’s New</source>
        <translation>新功能</translation>
    </message>
    <message id="MENU_FEEDBACK">
        <source>Send Feedback…</source>
        <translation>发送反馈…</translation>
    </message>
    <message id="WHATS_NEW_TITLE">
        <source>What’s New in %1</source>
        <translation>%1 新功能</translation>
    </message>
    <message id="WHATS_NEW_SHOW_AT_STARTUP">
        <source>Show at startup</source>
        <translation>启动时显示</translation>
    </message>
    <message id="WHATS_NEW_MISSING">
        <source>The release notes could not be found.</source>
        <translation>找不到版本说明。</translation>
    </message>
    <message id="BUTTON_CLOSE">
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message id="ABOUT_VERSION">
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
    <message id="ABOUT_BLURB">
        <source>Photo collages from templates, free layouts and photo strips.</source>
        <translation>用模板、自由布局和长图拼接制作照片拼图。</translation>
    </message>
    <message id="TOOLTIP_ADD_ITEM">
        <source>Add templates or backgrounds</source>
        <translation>添加模板或背景</translation>
    </message>
    <message id="TOOLTIP_REMOVE_ITEM">
        <source>Delete the chosen template or background</source>
        <translation>删除所选的模板或背景</translation>
    </message>
    <message id="TOOLTIP_FILTER">
        <source>Show templates by number of photos</source>
        <translation>按照片数量筛选模板</translation>
    </message>
    <message id="MEDIA_BROWSER_PLACEHOLDER">
        <source>Drag photos from your file manager onto the canvas, or choose File ▸ Add Photos…</source>
        <translation>请从文件管理器把照片拖到画布上，或选择“文件 ▸ 添加照片…”</translation>
    </message>
    <message id="FREE_LAYOUT_HINT">
        <source>Free layout
Drop photos here</source>
        <translation>自由拼图
把照片拖到这里</translation>
    </message>
    <message id="SERIAL_LAYOUT_HINT">
        <source>Serial layout
Drop photos here</source>
        <translation>拼接长图
把照片拖到这里</translation>
    </message>
    <message id="FILE_TYPE_TEMPLATES">
        <source>Templates</source>
        <translation>模板</translation>
    </message>
    <message id="FILE_TYPE_PICTURES">
        <source>Pictures</source>
        <translation>图片</translation>
    </message>
    <message id="FILE_TYPE_PHOTOS">
        <source>Photos</source>
        <translation>照片</translation>
    </message>
    <message id="ADD_TEMPLATES_TITLE">
        <source>Add Templates</source>
        <translation>添加模板</translation>
    </message>
    <message id="ADD_BACKGROUNDS_TITLE">
        <source>Add Backgrounds</source>
        <translation>添加背景</translation>
    </message>
    <message id="ADD_PHOTOS_TITLE">
        <source>Add Photos</source>
        <translation>添加照片</translation>
    </message>
    <message id="PHOTOS_UNREADABLE">
        <source>These photos could not be opened:</source>
        <translation>以下照片无法打开：</translation>
    </message>
    <message id="AND_MORE_FILES">
        <source>… and %1 more</source>
        <translation>…… 以及另外 %1 个</translation>
    </message>
    <message id="TOOLTIP_TEMPLATE_LAYOUT">
        <source>Template layout</source>
        <translation>模板拼图</translation>
    </message>
    <message id="TOOLTIP_FREE_LAYOUT">
        <source>Free layout</source>
        <translation>自由拼图</translation>
    </message>
    <message id="TOOLTIP_SERIAL_LAYOUT">
        <source>Serial layout</source>
        <translation>拼接长图</translation>
    </message>
    <message id="TOOLTIP_ZOOM">
        <source>Zoom</source>
        <translation>缩放</translation>
    </message>
    <message id="BUTTON_TEXT_STYLE">
        <source>Styles</source>
        <translation>样式</translation>
    </message>
    <message id="TOOLTIP_TEXT_STYLE">
        <source>Text styles</source>
        <translation>文字样式</translation>
    </message>
    <message id="CHECKBOX_ROUND_CORNER">
        <source>Rounded corners</source>
        <translation>圆角</translation>
    </message>
    <message id="CHECKBOX_SHADOW">
        <source>Shadow</source>
        <translation>阴影</translation>
    </message>
    <message id="TOOLTIP_ADD_TEXT">
        <source>Add text</source>
        <translation>添加文字</translation>
    </message>
    <message id="BUTTON_SAVE_CANVAS">
        <source>Save…</source>
        <translation>存储…</translation>
    </message>
    <message id="EXPORT_PANEL_TITLE">
        <source>Save Collage</source>
        <translation>存储拼图</translation>
    </message>
    <message id="EXPORT_FILE_TYPE">
        <source>Format:</source>
        <translation>格式：</translation>
    </message>
    <message id="EXPORT_SIZE">
        <source>Size:</source>
        <translation>尺寸：</translation>
    </message>
    <message id="EXPORT_SIZE_SMALL">
        <source>Small (%1 wide)</source>
        <translation>小（宽 %1）</translation>
    </message>
    <message id="EXPORT_SIZE_MIDDLE">
        <source>Medium (%1 wide)</source>
        <translation>中（宽 %1）</translation>
    </message>
    <message id="EXPORT_SIZE_BIG">
        <source>Large (%1 wide)</source>
        <translation>大（宽 %1）</translation>
    </message>
    <message id="EXPORT_SIZE_CUSTOM">
        <source>Custom</source>
        <translation>自定义</translation>
    </message>
    <message id="EXPORT_WIDTH">
        <source>Width:</source>
        <translation>宽度：</translation>
    </message>
    <message id="EXPORT_HEIGHT">
        <source>Height:</source>
        <translation>高度：</translation>
    </message>
    <message id="EXPORT_REVEAL">
        <source>Show in file manager after saving</source>
        <translation>存储后在文件管理器中显示</translation>
    </message>
    <message id="EXPORT_SIZE_INVALID">
        <source>Enter a width and a height of at least 1 for the custom size.</source>
        <translation>请为自定义尺寸输入不小于 1 的宽度和高度。</translation>
    </message>
    <message id="EXPORT_FAILED">
        <source>The collage could not be saved as “%1”.</source>
        <translation>无法将拼图存储为“%1”。</translation>
    </message>
    <message id="EXPORT_PROGRESS">
        <source>Saving “%1”…</source>
        <translation>正在存储“%1”…</translation>
    </message>
    <message id="WHATS_NEW_DOCUMENT">
        <source>WhatsNew.md</source>
        <translation>WhatsNew_zh_CN.md</translation>
    </message>
    <message id="MEDIA_NO_EVENT">
        <source>No Event</source>
        <translation>无事件</translation>
    </message>
    <message id="MEDIA_FLICKR_TAGS">
        <source>Tags: %1</source>
        <translation>标签：%1</translation>
    </message>
    <message id="MEDIA_FLICKR_TEXT">
        <source>Search: %1</source>
        <translation>搜索：%1</translation>
    </message>
    <message id="MEDIA_FLICKR_TIMEOUT">
        <source>Flickr did not answer in time. Choose the search again to retry.</source>
        <translation>Flickr 未及时响应。请再次选择该搜索以重试。</translation>
    </message>
    <message id="MEDIA_FLICKR_UNREACHABLE">
        <source>Flickr cannot be reached: %1</source>
        <translation>无法连接 Flickr：%1</translation>
    </message>
    <message id="MEDIA_FLICKR_HTTP_ERROR">
        <source>Flickr answered with error %1.</source>
        <translation>Flickr 返回错误 %1。</translation>
    </message>
    <message id="MEDIA_FLICKR_BAD_ANSWER">
        <source>Flickr sent an answer that cannot be read.</source>
        <translation>Flickr 返回的内容无法读取。</translation>
    </message>
    <message id="MEDIA_FLICKR_REFUSED">
        <source>Flickr refused the search: %1</source>
        <translation>Flickr 拒绝了该搜索：%1</translation>
    </message>
    <message id="MEDIA_FOLDER_UNREADABLE">
        <source>The folder “%1” cannot be read.</source>
        <translation>无法读取文件夹“%1”。</translation>
    </message>
    <message id="MEDIA_LIBRARY_UNREADABLE">
        <source>The %1 library cannot be read.</source>
        <translation>无法读取 %1 图库。</translation>
    </message>
    <message id="MEDIA_DOWNLOAD_NOT_SAVED">
        <source>The downloaded photo could not be saved as “%1”.</source>
        <translation>无法将下载的照片存储为“%1”。</translation>
    </message>
    <message id="MEDIA_VIEW_ICONS">
        <source>Icons</source>
        <translation>图标</translation>
    </message>
    <message id="MEDIA_VIEW_LIST">
        <source>List</source>
        <translation>列表</translation>
    </message>
    <message id="MEDIA_LOADING">
        <source>Loading…</source>
        <translation>正在载入…</translation>
    </message>
    <message id="MEDIA_NO_PHOTOS">
        <source>No photos here.</source>
        <translation>此处没有照片。</translation>
    </message>
    <message id="MEDIA_GROUP_LIBRARIES">
        <source>Libraries</source>
        <translation>图库</translation>
    </message>
    <message id="MEDIA_GROUP_FOLDERS">
        <source>Folders</source>
        <translation>文件夹</translation>
    </message>
    <message id="MEDIA_GROUP_INTERNET">
        <source>Internet</source>
        <translation>互联网</translation>
    </message>
    <message id="MEDIA_ADD_FOLDER">
        <source>Add a Folder of Photos</source>
        <translation>添加照片文件夹</translation>
    </message>
    <message id="MEDIA_REMOVE_FOLDER">
        <source>Remove the Chosen Folder from the List</source>
        <translation>从列表中移除所选文件夹</translation>
    </message>
    <message id="MENU_MEDIA_BROWSER">
        <source>Media Browser</source>
        <translation>媒体浏览器</translation>
    </message>
    <message id="TEXT_SETTINGS_TITLE">
        <source>Text</source>
        <translation>文字</translation>
    </message>
    <message id="TEXT_SETTINGS_TEXT">
        <source>Text</source>
        <translation>文字</translation>
    </message>
    <message id="TEXT_SETTINGS_FONT">
        <source>Font</source>
        <translation>字体</translation>
    </message>
    <message id="TEXT_SETTINGS_CHOOSE_FONT">
        <source>Choose…</source>
        <translation>选择…</translation>
    </message>
    <message id="TEXT_SETTINGS_FILL">
        <source>Fill</source>
        <translation>填充</translation>
    </message>
    <message id="TEXT_SETTINGS_OUTLINE">
        <source>Outline</source>
        <translation>描边</translation>
    </message>
    <message id="TEXT_SETTINGS_WIDTH">
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message id="TEXT_SETTINGS_SHADOW">
        <source>Shadow</source>
        <translation>阴影</translation>
    </message>
    <message id="TEXT_SETTINGS_BLUR">
        <source>Blur</source>
        <translation>模糊</translation>
    </message>
    <message id="TEXT_SETTINGS_DISTANCE">
        <source>Distance</source>
        <translation>距离</translation>
    </message>
    <message id="TEXT_SETTINGS_DIRECTION">
        <source>Direction</source>
        <translation>方向</translation>
    </message>
    <message id="TEXT_SETTINGS_OPACITY">
        <source>Opacity</source>
        <translation>不透明度</translation>
    </message>
    <message id="SAVE_STYLE_TITLE">
        <source>Save Text Style</source>
        <translation>存储文字样式</translation>
    </message>
    <message id="SAVE_STYLE_NAME">
        <source>Name of the new text style:</source>
        <translation>新文字样式的名称：</translation>
    </message>
    <message id="BUTTON_SAVE_STYLE">
        <source>Save</source>
        <translation>存储</translation>
    </message>
    <message id="BUTTON_CANCEL">
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message id="SAVE_STYLE_FAILED">
        <source>The text style could not be saved: %1</source>
        <translation>无法存储文字样式：%1</translation>
    </message>
    <message id="BUTTON_REMOVE_STYLE">
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message id="REVEAL_FAILED">
        <source>Tessera could not show the file: no file manager or other application on this system opens folders. The file was saved in:
%1</source>
        <translation>Tessera 无法显示该文件：系统中没有可以打开文件夹的文件管理器或其他程序。文件已保存在：
%1</translation>
    </message>
    <message id="DROP_NOT_ON_CELL">
        <source>Drop photos onto a cell of the template.</source>
        <translation>请把照片拖放到模板的格子上。</translation>
    </message>
    <message id="DROP_NO_CELLS">
        <source>This template has no cell to take a photo.</source>
        <translation>此模板没有可放照片的格子。</translation>
    </message>
    <message id="PHOTOS_KEPT_FOR_MORE_CELLS">
        <source>No cell was free for %1 of the photos; choose a template with more cells to show them.</source>
        <translation>有 %1 张照片没有空余的格子；选择格子更多的模板即可显示它们。</translation>
    </message>
    <message id="NO_BORDER">
        <source>No border</source>
        <translation>无边框</translation>
    </message>
    <message id="BACKGROUND_WHITE">
        <source>Plain white</source>
        <translation>纯白</translation>
    </message>
    <message id="BACKGROUND_BLACK">
        <source>Plain black</source>
        <translation>纯黑</translation>
    </message>
    <message id="BORDER_UNREADABLE">
        <source>The frame border “%1” cannot be read; the collage keeps its border.</source>
        <translation>无法读取边框“%1”；拼图保留原来的边框。</translation>
    </message>
    <message id="MENU_EDIT">
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message id="MENU_UNDO">
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message id="MENU_UNDO_STEP">
        <source>&amp;Undo %1</source>
        <translation>撤销%1(&amp;U)</translation>
    </message>
    <message id="MENU_REDO">
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message id="MENU_REDO_STEP">
        <source>&amp;Redo %1</source>
        <translation>重做%1(&amp;R)</translation>
    </message>
    <message id="EDIT_CHANGE">
        <source>Change</source>
        <translation>更改</translation>
    </message>
    <message id="EDIT_CAPTION_TEXT">
        <source>Caption Text</source>
        <translation>文字内容</translation>
    </message>
    <message id="EDIT_CAPTION_FONT">
        <source>Caption Font</source>
        <translation>文字字体</translation>
    </message>
    <message id="EDIT_CAPTION_COLOUR">
        <source>Caption Colour</source>
        <translation>文字颜色</translation>
    </message>
    <message id="EDIT_CAPTION_OUTLINE">
        <source>Caption Outline</source>
        <translation>文字描边</translation>
    </message>
    <message id="EDIT_CAPTION_SHADOW">
        <source>Caption Shadow</source>
        <translation>文字阴影</translation>
    </message>
    <message id="EDIT_CAPTION_OPACITY">
        <source>Caption Opacity</source>
        <translation>文字透明度</translation>
    </message>
    <message id="EDIT_ROTATE">
        <source>Rotate</source>
        <translation>旋转</translation>
    </message>
    <message id="EDIT_SCALE">
        <source>Scale</source>
        <translation>缩放</translation>
    </message>
    <message id="EDIT_MOVE">
        <source>Move</source>
        <translation>移动</translation>
    </message>
    <message id="EDIT_BRING_TO_FRONT">
        <source>Bring to Front</source>
        <translation>移到最前</translation>
    </message>
    <message id="EDIT_ADD_CAPTION">
        <source>Add Caption</source>
        <translation>添加文字</translation>
    </message>
    <message id="EDIT_DELETE">
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message id="EDIT_BORDER">
        <source>Border</source>
        <translation>边框</translation>
    </message>
    <message id="EDIT_BACKGROUND">
        <source>Background</source>
        <translation>背景</translation>
    </message>
    <message id="EDIT_CORNERS">
        <source>Rounded Corners</source>
        <translation>圆角</translation>
    </message>
    <message id="EDIT_SHADOW">
        <source>Shadow</source>
        <translation>阴影</translation>
    </message>
    <message id="EDIT_TEMPLATE">
        <source>Template</source>
        <translation>模板</translation>
    </message>
    <message id="EDIT_RATIO">
        <source>Ratio</source>
        <translation>比例</translation>
    </message>
    <message id="EDIT_CLEAR">
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message id="EDIT_SWAP_PHOTOS">
        <source>Swap Photos</source>
        <translation>交换照片</translation>
    </message>
    <message id="EDIT_ADD_PHOTOS">
        <source>Add Photos</source>
        <translation>添加照片</translation>
    </message>
    <message id="EDIT_ZOOM_PHOTO">
        <source>Zoom Photo</source>
        <translation>缩放照片</translation>
    </message>
    <message id="EDIT_PAN_PHOTO">
        <source>Move Photo</source>
        <translation>移动照片</translation>
    </message>
    <message id="EDIT_REORDER">
        <source>Reorder</source>
        <translation>调整顺序</translation>
    </message>
</context>
</TS>
