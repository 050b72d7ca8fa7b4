#pragma once

// The names of every notification of the application. All are posted on the
// main thread on NotificationCenter::defaultCenter(); each carries at most
// the one object named below, and its type is part of the name, so a post
// or an observer with another type does not compile. Observers run inside
// the post.

#include "image.h"
#include "notificationcenter.h"

class KLBackgroundView;
class KLBorderView;
class KLCombinItem;
class KLFreeLayoutItem;
class KLImageView;
class KLTextView;

namespace kit {

// Deselect everything on the canvases. Object: nullptr, or the serial item
// whose context menu is about to open. Posted by the export command, the
// empty area around a canvas, a serial item's right click and a caption's
// right click. Observed by the three canvases, which become first responder
// and post kTextViewUnselected.
inline constexpr NotificationName<KLCombinItem*> kLayoutClearResponder("kLayoutClearResponder");

// No caption is selected any more. Object: nothing. Posted by canvases,
// thumbnails, free layout and serial items, library entries and captions as
// their clicks deselect. Observed by the controller, which hides the caption
// settings panel.
inline constexpr NotificationName<void> kTextViewUnselected("kTextViewUnselected");

// A caption asks for its settings panel. Object: the caption (KLTextView*).
// Posted by a caption's double click, right click and properties command, and
// by the canvases for a caption they have just added (the template canvas
// also for the last caption left after a removal). Observed by the
// controller, which shows the panel for it.
inline constexpr NotificationName<KLTextView*> kTextViewDidSelected("kTextViewDidSelected");

// Another caption was clicked once. Object: the caption (KLTextView*).
// Posted by the caption. Observed by the controller: a shown settings panel
// switches to it.
inline constexpr NotificationName<KLTextView*> kTextViewDidChanged("kTextViewDidChanged");

// A caption's style is to be saved. Object: the caption (KLTextView*).
// Posted by the caption's save-style command. Observed by the controller,
// which asks for the style's name.
inline constexpr NotificationName<KLTextView*> kTextViewSaving("kTextViewSaving");

// A caption removes itself. Object: the caption (KLTextView*). Posted by the
// caption's remove command, followed by kTextViewUnselected. Observed by
// every canvas, which removes it if it is one of its captions.
inline constexpr NotificationName<KLTextView*> kTextViewDeleted("kTextViewDeleted");

// A template thumbnail was clicked. Object: the thumbnail (KLImageView*).
// Posted by the thumbnail, followed by kTextViewUnselected. Observed by the
// controller, which loads the template.
inline constexpr NotificationName<KLImageView*> kLayoutItemSelected("kLayoutItemSelected");

// A template cell received a dropped photo. Object: the image the cell now
// shows (by value). Posted by the template canvas once per cell
// that received a file. Observed by the controller's recent drops list.
inline constexpr NotificationName<Image> kLayoutImageDropped("kLayoutImageDropped");

// A background entry was chosen. Object: the entry (KLBackgroundView*).
// Posted by the entry after kTextViewUnselected. Observed by the controller.
inline constexpr NotificationName<KLBackgroundView*>
    kBackgroundItemSelected("kBackgroundItemSelected");

// A frame border entry was chosen. Object: the entry (KLBorderView*). Posted
// by the entry after kTextViewUnselected. Observed by the controller.
inline constexpr NotificationName<KLBorderView*> kBorderItemSelected("kBorderItemSelected");

// A free layout item is selected. Object: the item (KLFreeLayoutItem*).
// Posted by the free layout canvas for a new item and by the item on a click
// or right click. Observed by the free layout canvas.
inline constexpr NotificationName<KLFreeLayoutItem*>
    kFreeLayoutItemSelected("kFreeLayoutItemSelected");

// A free layout item asks to be removed. Object: the item
// (KLFreeLayoutItem*). Posted by the item's remove command and its delete
// key. Observed by the free layout canvas.
inline constexpr NotificationName<KLFreeLayoutItem*>
    kFreeLayoutItemDeleted("kFreeLayoutItemDeleted");

// A serial item asks to be removed. Object: the item (KLCombinItem*). Posted
// by the item's remove command and its delete key. Observed by the serial
// canvas.
inline constexpr NotificationName<KLCombinItem*> kCombinItemDeleted("kCombinItemDeleted");

// The serial canvas's content changed (an item added or removed). Object:
// nothing. Posted by the serial canvas. Observed by the controller, which
// recomputes the serial canvas's frame.
inline constexpr NotificationName<void> kCombinViewUpdated("kCombinViewUpdated");

} // namespace kit
