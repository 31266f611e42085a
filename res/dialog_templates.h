#pragma once
// The dialogs' layouts as data: one table per dialog with every control's id, its rectangle in
// dialog units, its kind and its image, in template order (which is also the tab order). The
// dialogs build their controls from these tables only.
#include <cstddef>
#include <string>

#include "res/ids.h"

namespace res {

enum class ControlKind {
    View,          // the picture
    InputField,    // bordered edit field that scrolls horizontally
    ReadOnlyField, // the same with the read-only style
    LabelImage,    // a static image that takes the size of its image
    DefaultButton, // push button, the dialog's default
    IconImage,     // a static icon that takes the size of its icon
    TextCentred,   // static text, centred, wrapped
    TextLeft,      // static text, left-aligned
    Choice,        // a drop-down list: one click opens it, the choice always shows
    GasField,      // an input field of the gas (gamma, the molar mass): shown for "other gas"
                   // only, read as a pair by the session (FlowSession::SetGasValues)
};

struct DlgRect {
    int x, y, w, h;
};

struct PixelRect {
    int x, y, w, h;
    bool operator==(const PixelRect& o) const
    {
        return x == o.x && y == o.y && w == o.w && h == o.h;
    }
};

// Pixels per 4 horizontal and per 8 vertical dialog units. Fixed per dialog, never measured
// from the font at run time, so the picture has the same size on every machine.
struct BaseUnits {
    int x, y;
};

struct ControlTemplate {
    ControlId id;
    DlgRect rect;
    ControlKind kind;
    ImageId image;    // the label image or the icon, ImageId::None for none
    const char* text; // UTF-8, or nullptr
};

struct DialogTemplate {
    DlgRect rect;
    const char* caption;   // UTF-8
    const char* fontFaces; // preferred face first, fallbacks after, separated by commas
    int fontPoints;
    BaseUnits units;
    const ControlTemplate* controls;
    size_t count;

    const ControlTemplate* begin() const { return controls; }
    const ControlTemplate* end() const { return controls + count; }
    const ControlTemplate* Find(ControlId controlId) const;
    // Every coordinate is converted on its own, truncating toward zero.
    PixelRect ToPixels(const DlgRect& r) const;
};

const DialogTemplate& MainDialogTemplate();
const DialogTemplate& AboutDialogTemplate();

// Resource path of a label image or of the icon, or nullptr for an unknown id.
const char* BitmapPath(ImageId image);
// The label image in the language with this code from the table of languages: the Russian
// image itself for "ru", else the one the build made with the language's words ("" for an
// unknown id).
std::string LabelPath(ImageId image, const std::string& language);
const char* IconPath(ImageId icon);

} // namespace res
