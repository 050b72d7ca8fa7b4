<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name></name>
    <message id="CFBundleDisplayName">
        <source>Tessera</source>
        <translation>Tessera</translation>
    </message>
    <message id="ABOUT_MENU_ITEM">
        <source>About %1</source>
        <translation>About %1</translation>
    </message>
    <message id="HIDE_MENU_ITEM">
        <source>Hide %1</source>
        <translation>Hide %1</translation>
    </message>
    <message id="QUIT_MENU_ITEM">
        <source>Quit %1</source>
        <translation>Quit %1</translation>
    </message>
    <message id="HELP_MENU_ITEM">
        <source>%1 Help</source>
        <translation>%1 Help</translation>
    </message>
    <message id="WARNING_TITLE">
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message id="INFO_TITLE">
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message id="QUESTION_TITLE">
        <source>Please Confirm</source>
        <translation>Please Confirm</translation>
    </message>
    <message id="BUTTON_OK">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="BUTTON_YES">
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message id="BUTTON_NO">
        <source>No</source>
        <translation>No</translation>
    </message>
    <message id="NEW_CANVAS">
        <source>Start a new canvas? The photos and captions on the current canvas will be removed.</source>
        <translation>Start a new canvas? The photos and captions on the current canvas will be removed.</translation>
    </message>
    <message id="APP_QUIT">
        <source>Quit now? Collages that have not been saved will be lost.</source>
        <translation>Quit now? Collages that have not been saved will be lost.</translation>
    </message>
    <message id="CAN_NOT_DELETE_IMAGE">
        <source>Only backgrounds that you added can be deleted. Choose one of them first.</source>
        <translation>Only backgrounds that you added can be deleted. Choose one of them first.</translation>
    </message>
    <message id="DELETE_IMAGE">
        <source>Delete this background? Its picture will be removed from your Backgrounds folder.</source>
        <translation>Delete this background? Its picture will be removed from your Backgrounds folder.</translation>
    </message>
    <message id="DELETE_TEMPLATE">
        <source>Delete this template? Its file will be removed from your Templates folder.</source>
        <translation>Delete this template? Its file will be removed from your Templates folder.</translation>
    </message>
    <message id="NO_TEMPLATE_LEFT">
        <source>This is the last template and cannot be deleted.</source>
        <translation>This is the last template and cannot be deleted.</translation>
    </message>
    <message id="DELETE_STYLE">
        <source>Delete this text style?</source>
        <translation>Delete this text style?</translation>
    </message>
    <message id="CANVAS_FIT">
        <source>Fit</source>
        <translation>Fit</translation>
    </message>
    <message id="FILTER_ALL">
        <source>All Templates</source>
        <translation>All Templates</translation>
    </message>
    <message id="FILTER_2">
        <source>2 Photos</source>
        <translation>2 Photos</translation>
    </message>
    <message id="FILTER_3">
        <source>3 Photos</source>
        <translation>3 Photos</translation>
    </message>
    <message id="FILTER_4">
        <source>4 Photos</source>
        <translation>4 Photos</translation>
    </message>
    <message id="FILTER_5">
        <source>5 Photos</source>
        <translation>5 Photos</translation>
    </message>
    <message id="FILTER_6">
        <source>6 Photos</source>
        <translation>6 Photos</translation>
    </message>
    <message id="FILTER_7">
        <source>7 Photos</source>
        <translation>7 Photos</translation>
    </message>
    <message id="FILTER_8">
        <source>8 Photos</source>
        <translation>8 Photos</translation>
    </message>
    <message id="FILTER_9">
        <source>9 or More Photos</source>
        <translation>9 or More Photos</translation>
    </message>
    <message id="TIP_FRAME">
        <source>Templates</source>
        <translation>Templates</translation>
    </message>
    <message id="TIP_BACKGROUND">
        <source>Backgrounds</source>
        <translation>Backgrounds</translation>
    </message>
    <message id="TIP_BORDER">
        <source>Borders</source>
        <translation>Borders</translation>
    </message>
    <message id="TOOLTIP_RATIO">
        <source>Canvas aspect ratio</source>
        <translation>Canvas aspect ratio</translation>
    </message>
    <message id="TOOLTIP_RATIO_LOCKED">
        <source>This template fixes the aspect ratio</source>
        <translation>This template fixes the aspect ratio</translation>
    </message>
    <message id="MAKE_DEFAULT">
        <source>Use for new text</source>
        <translation>Use for new text</translation>
    </message>
    <message id="DEFAULT_TEXT_STYLE">
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message id="DEFAULT_STYLE_TEXT">
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message id="DEFAULT_TEXT">
        <source>Double-click to edit</source>
        <translation>Double-click to edit</translation>
    </message>
    <message id="DEFAULT_TEXT_FONT">
        <source>DejaVu Sans</source>
        <translation>DejaVu Sans</translation>
    </message>
    <message id="BRING_TO_FRONT">
        <source>Bring to Front</source>
        <translation>Bring to Front</translation>
    </message>
    <message id="SHOW_PROP">
        <source>Properties…</source>
        <translation>Properties…</translation>
    </message>
    <message id="STYLE_LIST">
        <source>Text Styles</source>
        <translation>Text Styles</translation>
    </message>
    <message id="SAVE_TO_TEXT_LIBRARY">
        <source>Save as Text Style…</source>
        <translation>Save as Text Style…</translation>
    </message>
    <message id="CLEAR_STYLE">
        <source>Clear Style</source>
        <translation>Clear Style</translation>
    </message>
    <message id="REMOVE_ITEM">
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
</context>
</TS>
