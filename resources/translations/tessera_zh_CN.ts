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
        <source>Only backgrounds that you added can be deleted. Choose one of them first.</source>
        <translation>只能删除您添加的背景，请先选择其中一个。</translation>
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
        <source>Double-click to edit</source>
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
</context>
</TS>
