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
        <source>Only backgrounds that you added can be deleted. Plain white, plain black and the backgrounds that come with Tessera always stay in the library.</source>
        <translation>Only backgrounds that you added can be deleted. Plain white, plain black and the backgrounds that come with Tessera always stay in the library.</translation>
    </message>
    <message id="DELETE_FAILED">
        <source>“%1” could not be deleted, so it stays in the library. Check that its folder can be written to.</source>
        <translation>“%1” could not be deleted, so it stays in the library. Check that its folder can be written to.</translation>
    </message>
    <message id="CAN_NOT_DELETE_TEMPLATE">
        <source>Only templates that you added can be deleted. The templates that come with Tessera always stay in the library.</source>
        <translation>Only templates that you added can be deleted. The templates that come with Tessera always stay in the library.</translation>
    </message>
    <message id="TEMPLATES_NOT_ADDED">
        <source>These files were not added: they are not templates that Tessera can read (a size line and at least one cell).</source>
        <translation>These files were not added: they are not templates that Tessera can read (a size line and at least one cell).</translation>
    </message>
    <message id="BACKGROUNDS_NOT_ADDED">
        <source>These files were not added: they are not pictures that Tessera can read (PNG, JPEG, BMP or TIFF).</source>
        <translation>These files were not added: they are not pictures that Tessera can read (PNG, JPEG, BMP or TIFF).</translation>
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
        <source>Your text</source>
        <translation>Your text</translation>
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
    <message id="HELP_CN_MENU_ITEM">
        <source>%1 Help (Chinese)</source>
        <translation>%1 Help (Chinese)</translation>
    </message>
    <message id="HELP_EN_MENU_ITEM">
        <source>%1 Help (English)</source>
        <translation>%1 Help (English)</translation>
    </message>
    <message id="HELP_MISSING">
        <source>The help pages are not installed. Reinstalling the program brings them back.</source>
        <translation>The help pages are not installed. Reinstalling the program brings them back.</translation>
    </message>
    <message id="OPEN_URL_FAILED">
        <source>Nothing on this computer can open %1. Install a web browser, or open the address yourself.</source>
        <translation>Nothing on this computer can open %1. Install a web browser, or open the address yourself.</translation>
    </message>
    <message id="MENU_FILE">
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message id="MENU_NEW_CANVAS">
        <source>&amp;New Canvas</source>
        <translation>&amp;New Canvas</translation>
    </message>
    <message id="MENU_ADD_PHOTOS">
        <source>Add &amp;Photos…</source>
        <translation>Add &amp;Photos…</translation>
    </message>
    <message id="MENU_NEW">
        <source>&amp;New</source>
        <translation>&amp;New</translation>
    </message>
    <message id="MENU_OPEN">
        <source>&amp;Open…</source>
        <translation>&amp;Open…</translation>
    </message>
    <message id="MENU_OPEN_RECENT">
        <source>Open &amp;Recent</source>
        <translation>Open &amp;Recent</translation>
    </message>
    <message id="MENU_CLEAR_RECENT">
        <source>Clear Menu</source>
        <translation>Clear Menu</translation>
    </message>
    <message id="MENU_SAVE_DOCUMENT">
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message id="MENU_SAVE_AS">
        <source>Save &amp;As…</source>
        <translation>Save &amp;As…</translation>
    </message>
    <message id="MENU_SAVE_COPY_WITH_PHOTOS">
        <source>Save a Copy With &amp;Photos…</source>
        <translation>Save a Copy With &amp;Photos…</translation>
    </message>
    <message id="MENU_EXPORT">
        <source>&amp;Export…</source>
        <translation>&amp;Export…</translation>
    </message>
    <message id="UNTITLED_DOCUMENT">
        <source>Untitled</source>
        <translation>Untitled</translation>
    </message>
    <message id="DOCUMENT_FILTER">
        <source>Tessera collages (*.tessera)</source>
        <translation>Tessera collages (*.tessera)</translation>
    </message>
    <message id="OPEN_DOCUMENT_TITLE">
        <source>Open Collage</source>
        <translation>Open Collage</translation>
    </message>
    <message id="SAVE_DOCUMENT_TITLE">
        <source>Save Collage</source>
        <translation>Save Collage</translation>
    </message>
    <message id="SAVE_COPY_TITLE">
        <source>Save a Copy With Photos</source>
        <translation>Save a Copy With Photos</translation>
    </message>
    <message id="SAVE_CHANGES_QUESTION">
        <source>Do you want to save the changes you made to the collage “%1”?
Your changes will be lost if you don’t save them.</source>
        <translation>Do you want to save the changes you made to the collage “%1”?
Your changes will be lost if you don’t save them.</translation>
    </message>
    <message id="RESTORE_AUTOSAVE_QUESTION">
        <source>Tessera did not quit normally last time. Restore the collage autosaved at %1?</source>
        <translation>Tessera did not quit normally last time. Restore the collage autosaved at %1?</translation>
    </message>
    <message id="BUTTON_SAVE">
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message id="BUTTON_DONT_SAVE">
        <source>Don’t Save</source>
        <translation>Don’t Save</translation>
    </message>
    <message id="DOCUMENT_OPEN_FAILED">
        <source>The collage “%1” could not be opened:</source>
        <translation>The collage “%1” could not be opened:</translation>
    </message>
    <message id="DOCUMENT_SAVE_FAILED">
        <source>The collage could not be saved as “%1”:</source>
        <translation>The collage could not be saved as “%1”:</translation>
    </message>
    <message id="DOCUMENT_MISSING_FILES">
        <source>Some files of the collage “%1” could not be read. Missing photos keep their places in grey:</source>
        <translation>Some files of the collage “%1” could not be read. Missing photos keep their places in grey:</translation>
    </message>
    <message id="DOCUMENT_COPY_FAILED">
        <source>The copy could not be saved: %1.</source>
        <translation>The copy could not be saved: %1.</translation>
    </message>
    <message id="DOCUMENT_COPY_NOT_COPIED">
        <source>The copy was saved. These photos were missing and are referred to where they were:
%1</source>
        <translation>The copy was saved. These photos were missing and are referred to where they were:
%1</translation>
    </message>
    <message id="MENU_EXPORT_PDF">
        <source>Export as P&amp;DF…</source>
        <translation>Export as P&amp;DF…</translation>
    </message>
    <message id="MENU_PRINT_PREVIEW">
        <source>Print Pre&amp;view…</source>
        <translation>Print Pre&amp;view…</translation>
    </message>
    <message id="MENU_PRINT">
        <source>&amp;Print…</source>
        <translation>&amp;Print…</translation>
    </message>
    <message id="PRINT_TITLE">
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message id="PRINT_PROGRESS">
        <source>Preparing the page for the printer…</source>
        <translation>Preparing the page for the printer…</translation>
    </message>
    <message id="PRINT_FAILED">
        <source>The collage could not be printed.</source>
        <translation>The collage could not be printed.</translation>
    </message>
    <message id="PDF_PANEL_TITLE">
        <source>Export as PDF</source>
        <translation>Export as PDF</translation>
    </message>
    <message id="PDF_PAPER">
        <source>Paper:</source>
        <translation>Paper:</translation>
    </message>
    <message id="PDF_ORIENTATION">
        <source>Orientation:</source>
        <translation>Orientation:</translation>
    </message>
    <message id="PDF_ORIENTATION_AUTO">
        <source>Like the collage</source>
        <translation>Like the collage</translation>
    </message>
    <message id="PDF_PORTRAIT">
        <source>Portrait</source>
        <translation>Portrait</translation>
    </message>
    <message id="PDF_LANDSCAPE">
        <source>Landscape</source>
        <translation>Landscape</translation>
    </message>
    <message id="PDF_RESOLUTION">
        <source>Photo resolution:</source>
        <translation>Photo resolution:</translation>
    </message>
    <message id="PDF_DPI_SUFFIX">
        <source> dpi</source>
        <translation> dpi</translation>
    </message>
    <message id="PDF_PROGRESS">
        <source>Writing “%1”…</source>
        <translation>Writing “%1”…</translation>
    </message>
    <message id="PDF_FAILED">
        <source>The PDF “%1” could not be written.</source>
        <translation>The PDF “%1” could not be written.</translation>
    </message>
    <message id="MENU_VIEW">
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message id="MENU_TEMPLATE_LAYOUT">
        <source>&amp;Template Layout</source>
        <translation>&amp;Template Layout</translation>
    </message>
    <message id="MENU_FREE_LAYOUT">
        <source>&amp;Free Layout</source>
        <translation>&amp;Free Layout</translation>
    </message>
    <message id="MENU_SERIAL_LAYOUT">
        <source>&amp;Serial Layout</source>
        <translation>&amp;Serial Layout</translation>
    </message>
    <message id="MENU_TEMPLATES_PAGE">
        <source>Templates</source>
        <translation>Templates</translation>
    </message>
    <message id="MENU_BACKGROUNDS_PAGE">
        <source>Backgrounds</source>
        <translation>Backgrounds</translation>
    </message>
    <message id="MENU_BORDERS_PAGE">
        <source>Borders</source>
        <translation>Borders</translation>
    </message>
    <message id="MENU_ZOOM_IN">
        <source>Zoom In</source>
        <translation>Zoom In</translation>
    </message>
    <message id="MENU_ZOOM_OUT">
        <source>Zoom Out</source>
        <translation>Zoom Out</translation>
    </message>
    <message id="MENU_ZOOM_FIT">
        <source>Fit in Window</source>
        <translation>Fit in Window</translation>
    </message>
    <message id="MESSAGE_CLOSE">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="MENU_HELP">
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message id="MENU_WHATS_NEW">
        <source>What’s New</source>
        <translation>What’s New</translation>
    </message>
    <message id="MENU_FEEDBACK">
        <source>Send Feedback…</source>
        <translation>Send Feedback…</translation>
    </message>
    <message id="WHATS_NEW_TITLE">
        <source>What’s New in %1</source>
        <translation>What’s New in %1</translation>
    </message>
    <message id="WHATS_NEW_SHOW_AT_STARTUP">
        <source>Show at startup</source>
        <translation>Show at startup</translation>
    </message>
    <message id="WHATS_NEW_MISSING">
        <source>The release notes could not be found.</source>
        <translation>The release notes could not be found.</translation>
    </message>
    <message id="BUTTON_CLOSE">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="ABOUT_VERSION">
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message id="ABOUT_BLURB">
        <source>Photo collages from templates, free layouts and photo strips.</source>
        <translation>Photo collages from templates, free layouts and photo strips.</translation>
    </message>
    <message id="TOOLTIP_ADD_ITEM">
        <source>Add templates or backgrounds</source>
        <translation>Add templates or backgrounds</translation>
    </message>
    <message id="TOOLTIP_REMOVE_ITEM">
        <source>Delete the chosen template or background</source>
        <translation>Delete the chosen template or background</translation>
    </message>
    <message id="TOOLTIP_FILTER">
        <source>Show templates by number of photos</source>
        <translation>Show templates by number of photos</translation>
    </message>
    <message id="MEDIA_BROWSER_PLACEHOLDER">
        <source>Drag photos from your file manager onto the canvas, or choose File ▸ Add Photos…</source>
        <translation>Drag photos from your file manager onto the canvas, or choose File ▸ Add Photos…</translation>
    </message>
    <message id="FREE_LAYOUT_HINT">
        <source>Free layout
Drop photos here</source>
        <translation>Free layout
Drop photos here</translation>
    </message>
    <message id="SERIAL_LAYOUT_HINT">
        <source>Serial layout
Drop photos here</source>
        <translation>Serial layout
Drop photos here</translation>
    </message>
    <message id="FILE_TYPE_TEMPLATES">
        <source>Templates</source>
        <translation>Templates</translation>
    </message>
    <message id="FILE_TYPE_PICTURES">
        <source>Pictures</source>
        <translation>Pictures</translation>
    </message>
    <message id="FILE_TYPE_PHOTOS">
        <source>Photos</source>
        <translation>Photos</translation>
    </message>
    <message id="ADD_TEMPLATES_TITLE">
        <source>Add Templates</source>
        <translation>Add Templates</translation>
    </message>
    <message id="ADD_BACKGROUNDS_TITLE">
        <source>Add Backgrounds</source>
        <translation>Add Backgrounds</translation>
    </message>
    <message id="ADD_PHOTOS_TITLE">
        <source>Add Photos</source>
        <translation>Add Photos</translation>
    </message>
    <message id="PHOTOS_UNREADABLE">
        <source>These photos could not be opened:</source>
        <translation>These photos could not be opened:</translation>
    </message>
    <message id="AND_MORE_FILES">
        <source>… and %1 more</source>
        <translation>… and %1 more</translation>
    </message>
    <message id="TOOLTIP_TEMPLATE_LAYOUT">
        <source>Template layout</source>
        <translation>Template layout</translation>
    </message>
    <message id="TOOLTIP_FREE_LAYOUT">
        <source>Free layout</source>
        <translation>Free layout</translation>
    </message>
    <message id="TOOLTIP_SERIAL_LAYOUT">
        <source>Serial layout</source>
        <translation>Serial layout</translation>
    </message>
    <message id="TOOLTIP_ZOOM">
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message id="BUTTON_TEXT_STYLE">
        <source>Styles</source>
        <translation>Styles</translation>
    </message>
    <message id="TOOLTIP_TEXT_STYLE">
        <source>Text styles</source>
        <translation>Text styles</translation>
    </message>
    <message id="CHECKBOX_ROUND_CORNER">
        <source>Rounded corners</source>
        <translation>Rounded corners</translation>
    </message>
    <message id="CHECKBOX_SHADOW">
        <source>Shadow</source>
        <translation>Shadow</translation>
    </message>
    <message id="TOOLTIP_ADD_TEXT">
        <source>Add text</source>
        <translation>Add text</translation>
    </message>
    <message id="BUTTON_SAVE_CANVAS">
        <source>Save…</source>
        <translation>Save…</translation>
    </message>
    <message id="EXPORT_PANEL_TITLE">
        <source>Save Collage</source>
        <translation>Save Collage</translation>
    </message>
    <message id="EXPORT_FILE_TYPE">
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message id="EXPORT_SIZE">
        <source>Size:</source>
        <translation>Size:</translation>
    </message>
    <message id="EXPORT_SIZE_SMALL">
        <source>Small (%1 wide)</source>
        <translation>Small (%1 wide)</translation>
    </message>
    <message id="EXPORT_SIZE_MIDDLE">
        <source>Medium (%1 wide)</source>
        <translation>Medium (%1 wide)</translation>
    </message>
    <message id="EXPORT_SIZE_BIG">
        <source>Large (%1 wide)</source>
        <translation>Large (%1 wide)</translation>
    </message>
    <message id="EXPORT_SIZE_CUSTOM">
        <source>Custom</source>
        <translation>Custom</translation>
    </message>
    <message id="EXPORT_WIDTH">
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message id="EXPORT_HEIGHT">
        <source>Height:</source>
        <translation>Height:</translation>
    </message>
    <message id="EXPORT_REVEAL">
        <source>Show in file manager after saving</source>
        <translation>Show in file manager after saving</translation>
    </message>
    <message id="EXPORT_SIZE_INVALID">
        <source>Enter a width and a height of at least 1 for the custom size.</source>
        <translation>Enter a width and a height of at least 1 for the custom size.</translation>
    </message>
    <message id="EXPORT_FAILED">
        <source>The collage could not be saved as “%1”.</source>
        <translation>The collage could not be saved as “%1”.</translation>
    </message>
    <message id="EXPORT_PROGRESS">
        <source>Saving “%1”…</source>
        <translation>Saving “%1”…</translation>
    </message>
    <message id="WHATS_NEW_DOCUMENT">
        <source>WhatsNew.md</source>
        <translation>WhatsNew.md</translation>
    </message>
    <message id="MEDIA_NO_EVENT">
        <source>No Event</source>
        <translation>No Event</translation>
    </message>
    <message id="MEDIA_FLICKR_TAGS">
        <source>Tags: %1</source>
        <translation>Tags: %1</translation>
    </message>
    <message id="MEDIA_FLICKR_TEXT">
        <source>Search: %1</source>
        <translation>Search: %1</translation>
    </message>
    <message id="MEDIA_FLICKR_TIMEOUT">
        <source>Flickr did not answer in time. Choose the search again to retry.</source>
        <translation>Flickr did not answer in time. Choose the search again to retry.</translation>
    </message>
    <message id="MEDIA_FLICKR_UNREACHABLE">
        <source>Flickr cannot be reached: %1</source>
        <translation>Flickr cannot be reached: %1</translation>
    </message>
    <message id="MEDIA_FLICKR_HTTP_ERROR">
        <source>Flickr answered with error %1.</source>
        <translation>Flickr answered with error %1.</translation>
    </message>
    <message id="MEDIA_FLICKR_BAD_ANSWER">
        <source>Flickr sent an answer that cannot be read.</source>
        <translation>Flickr sent an answer that cannot be read.</translation>
    </message>
    <message id="MEDIA_FLICKR_REFUSED">
        <source>Flickr refused the search: %1</source>
        <translation>Flickr refused the search: %1</translation>
    </message>
    <message id="MEDIA_FOLDER_UNREADABLE">
        <source>The folder “%1” cannot be read.</source>
        <translation>The folder “%1” cannot be read.</translation>
    </message>
    <message id="MEDIA_LIBRARY_UNREADABLE">
        <source>The %1 library cannot be read.</source>
        <translation>The %1 library cannot be read.</translation>
    </message>
    <message id="MEDIA_DOWNLOAD_NOT_SAVED">
        <source>The downloaded photo could not be saved as “%1”.</source>
        <translation>The downloaded photo could not be saved as “%1”.</translation>
    </message>
    <message id="MEDIA_VIEW_ICONS">
        <source>Icons</source>
        <translation>Icons</translation>
    </message>
    <message id="MEDIA_VIEW_LIST">
        <source>List</source>
        <translation>List</translation>
    </message>
    <message id="MEDIA_LOADING">
        <source>Loading…</source>
        <translation>Loading…</translation>
    </message>
    <message id="MEDIA_NO_PHOTOS">
        <source>No photos here.</source>
        <translation>No photos here.</translation>
    </message>
    <message id="MEDIA_GROUP_LIBRARIES">
        <source>Libraries</source>
        <translation>Libraries</translation>
    </message>
    <message id="MEDIA_GROUP_FOLDERS">
        <source>Folders</source>
        <translation>Folders</translation>
    </message>
    <message id="MEDIA_GROUP_INTERNET">
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message id="MEDIA_ADD_FOLDER">
        <source>Add a Folder of Photos</source>
        <translation>Add a Folder of Photos</translation>
    </message>
    <message id="MEDIA_REMOVE_FOLDER">
        <source>Remove the Chosen Folder from the List</source>
        <translation>Remove the Chosen Folder from the List</translation>
    </message>
    <message id="MENU_MEDIA_BROWSER">
        <source>Media Browser</source>
        <translation>Media Browser</translation>
    </message>
    <message id="TEXT_SETTINGS_TITLE">
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message id="TEXT_SETTINGS_TEXT">
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message id="TEXT_SETTINGS_FONT">
        <source>Font</source>
        <translation>Font</translation>
    </message>
    <message id="TEXT_SETTINGS_CHOOSE_FONT">
        <source>Choose…</source>
        <translation>Choose…</translation>
    </message>
    <message id="TEXT_SETTINGS_FILL">
        <source>Fill</source>
        <translation>Fill</translation>
    </message>
    <message id="TEXT_SETTINGS_OUTLINE">
        <source>Outline</source>
        <translation>Outline</translation>
    </message>
    <message id="TEXT_SETTINGS_WIDTH">
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message id="TEXT_SETTINGS_SHADOW">
        <source>Shadow</source>
        <translation>Shadow</translation>
    </message>
    <message id="TEXT_SETTINGS_BLUR">
        <source>Blur</source>
        <translation>Blur</translation>
    </message>
    <message id="TEXT_SETTINGS_DISTANCE">
        <source>Distance</source>
        <translation>Distance</translation>
    </message>
    <message id="TEXT_SETTINGS_DIRECTION">
        <source>Direction</source>
        <translation>Direction</translation>
    </message>
    <message id="TEXT_SETTINGS_OPACITY">
        <source>Opacity</source>
        <translation>Opacity</translation>
    </message>
    <message id="SAVE_STYLE_TITLE">
        <source>Save Text Style</source>
        <translation>Save Text Style</translation>
    </message>
    <message id="SAVE_STYLE_NAME">
        <source>Name of the new text style:</source>
        <translation>Name of the new text style:</translation>
    </message>
    <message id="BUTTON_SAVE_STYLE">
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message id="BUTTON_CANCEL">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="SAVE_STYLE_FAILED">
        <source>The text style could not be saved: %1</source>
        <translation>The text style could not be saved: %1</translation>
    </message>
    <message id="BUTTON_REMOVE_STYLE">
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message id="REVEAL_FAILED">
        <source>Tessera could not show the file: no file manager or other application on this system opens folders. The file was saved in:
%1</source>
        <translation>Tessera could not show the file: no file manager or other application on this system opens folders. The file was saved in:
%1</translation>
    </message>
    <message id="DROP_NOT_ON_CELL">
        <source>Drop photos onto a cell of the template.</source>
        <translation>Drop photos onto a cell of the template.</translation>
    </message>
    <message id="DROP_NO_CELLS">
        <source>This template has no cell to take a photo.</source>
        <translation>This template has no cell to take a photo.</translation>
    </message>
    <message id="PHOTOS_KEPT_FOR_MORE_CELLS">
        <source>No cell was free for %1 of the photos; choose a template with more cells to show them.</source>
        <translation>No cell was free for %1 of the photos; choose a template with more cells to show them.</translation>
    </message>
    <message id="NO_BORDER">
        <source>No border</source>
        <translation>No border</translation>
    </message>
    <message id="BACKGROUND_WHITE">
        <source>Plain white</source>
        <translation>Plain white</translation>
    </message>
    <message id="BACKGROUND_BLACK">
        <source>Plain black</source>
        <translation>Plain black</translation>
    </message>
    <message id="BORDER_UNREADABLE">
        <source>The frame border “%1” cannot be read; the collage keeps its border.</source>
        <translation>The frame border “%1” cannot be read; the collage keeps its border.</translation>
    </message>
    <message id="MENU_EDIT">
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message id="MENU_UNDO">
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message id="MENU_UNDO_STEP">
        <source>&amp;Undo %1</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message id="MENU_REDO">
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message id="MENU_REDO_STEP">
        <source>&amp;Redo %1</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message id="EDIT_CHANGE">
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message id="EDIT_CAPTION_TEXT">
        <source>Caption Text</source>
        <translation>Caption Text</translation>
    </message>
    <message id="EDIT_CAPTION_FONT">
        <source>Caption Font</source>
        <translation>Caption Font</translation>
    </message>
    <message id="EDIT_CAPTION_COLOUR">
        <source>Caption Colour</source>
        <translation>Caption Colour</translation>
    </message>
    <message id="EDIT_CAPTION_OUTLINE">
        <source>Caption Outline</source>
        <translation>Caption Outline</translation>
    </message>
    <message id="EDIT_CAPTION_SHADOW">
        <source>Caption Shadow</source>
        <translation>Caption Shadow</translation>
    </message>
    <message id="EDIT_CAPTION_OPACITY">
        <source>Caption Opacity</source>
        <translation>Caption Opacity</translation>
    </message>
    <message id="EDIT_ROTATE">
        <source>Rotate</source>
        <translation>Rotate</translation>
    </message>
    <message id="EDIT_SCALE">
        <source>Scale</source>
        <translation>Scale</translation>
    </message>
    <message id="EDIT_MOVE">
        <source>Move</source>
        <translation>Move</translation>
    </message>
    <message id="EDIT_BRING_TO_FRONT">
        <source>Bring to Front</source>
        <translation>Bring to Front</translation>
    </message>
    <message id="EDIT_ADD_CAPTION">
        <source>Add Caption</source>
        <translation>Add Caption</translation>
    </message>
    <message id="EDIT_DELETE">
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message id="EDIT_BORDER">
        <source>Border</source>
        <translation>Border</translation>
    </message>
    <message id="EDIT_BACKGROUND">
        <source>Background</source>
        <translation>Background</translation>
    </message>
    <message id="EDIT_CORNERS">
        <source>Rounded Corners</source>
        <translation>Rounded Corners</translation>
    </message>
    <message id="EDIT_SHADOW">
        <source>Shadow</source>
        <translation>Shadow</translation>
    </message>
    <message id="EDIT_TEMPLATE">
        <source>Template</source>
        <translation>Template</translation>
    </message>
    <message id="EDIT_RATIO">
        <source>Ratio</source>
        <translation>Ratio</translation>
    </message>
    <message id="EDIT_CLEAR">
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message id="EDIT_SWAP_PHOTOS">
        <source>Swap Photos</source>
        <translation>Swap Photos</translation>
    </message>
    <message id="EDIT_ADD_PHOTOS">
        <source>Add Photos</source>
        <translation>Add Photos</translation>
    </message>
    <message id="EDIT_ZOOM_PHOTO">
        <source>Zoom Photo</source>
        <translation>Zoom Photo</translation>
    </message>
    <message id="EDIT_PAN_PHOTO">
        <source>Move Photo</source>
        <translation>Move Photo</translation>
    </message>
    <message id="EDIT_REORDER">
        <source>Reorder</source>
        <translation>Reorder</translation>
    </message>
</context>
</TS>
