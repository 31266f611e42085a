#include "res/dialog_templates.h"

#include "res/resource.h"

namespace res {
namespace {

using K = ControlKind;

// The main dialog, in the order of its controls (also the tab order).
const ControlTemplate kMainControls[] = {
    {IDC_VIEW, {0, 6, 415, 205}, K::View, 0, nullptr},
    {IDC_T, {233, 214, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_P, {233, 227, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_RHO, {233, 241, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_C, {233, 255, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_M, {233, 270, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_VOL, {233, 287, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_CRIT_SPEED, {128, 214, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_CRIT_TEMP, {128, 230, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_CRIT_PRESSURE, {128, 246, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_CRIT_DENSITY, {128, 262, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_CRIT_VOLUME, {128, 279, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_T1, {17, 229, 55, 12}, K::InputField, 0, nullptr},
    {IDC_P1, {17, 245, 55, 12}, K::InputField, 0, nullptr},
    {IDC_RHO1, {17, 262, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_C1, {17, 278, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_M1, {17, 293, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_VOL1, {17, 309, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_VPHI, {336, 228, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_VR, {336, 244, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_V1, {17, 214, 55, 12}, K::InputField, 0, nullptr},
    {IDC_STATIC, {1, 213, 13, 111}, K::LabelImage, IDB_UPSTREAM_NAMES, nullptr},
    {IDC_V, {336, 214, 55, 12}, K::ReadOnlyField, 0, nullptr},
    {IDC_STATIC, {212, 214, 18, 81}, K::LabelImage, IDB_PROBE_NAMES, nullptr},
    {IDC_STATIC, {314, 213, 18, 46}, K::LabelImage, IDB_VELOCITY_NAMES, nullptr},
    {IDC_STATIC, {107, 212, 21, 83}, K::LabelImage, IDB_CRIT_NAMES, nullptr},
    {IDC_STATIC, {74, 213, 26, 108}, K::LabelImage, IDB_UPSTREAM_UNITS, nullptr},
    {IDC_STATIC, {185, 213, 22, 67}, K::LabelImage, IDB_CRIT_UNITS, nullptr},
    {IDC_STATIC, {289, 215, 22, 93}, K::LabelImage, IDB_PROBE_UNITS, nullptr},
    {IDC_STATIC, {393, 213, 16, 42}, K::LabelImage, IDB_VELOCITY_UNITS, nullptr},
};

// The About box. "%1" in a text stands for the program's version.
const ControlTemplate kAboutControls[] = {
    {IDOK, {273, 7, 50, 16}, K::DefaultButton, 0, "OK"},
    {IDC_ABOUT_ICON, {9, 12, 20, 20}, K::IconImage, IDR_MAINFRAME, nullptr},
    {IDC_ABOUT_TITLE,
     {38, 8, 179, 22},
     K::TextCentred,
     0,
     "Программа построения визуальной модели процесса обтекания тупого угла сверхзвуковым "
     "потоком"},
    {IDC_ABOUT_VERSION, {34, 37, 188, 8}, K::TextLeft, 0, "Cornerflow, version %1"},
    {IDC_ABOUT_MODEL,
     {34, 46, 182, 8},
     K::TextLeft,
     0,
     "The expansion fan of a supersonic flow round a corner"},
    {IDC_ABOUT_TOOLKIT,
     {34, 58, 223, 30},
     K::TextLeft,
     0,
     "Built with the Qt 6 toolkit. Free software under the MIT licence: use, copy and change "
     "it as you like."},
    {IDC_ABOUT_COPYRIGHT, {33, 86, 119, 8}, K::TextLeft, 0, "\u00A9 The Cornerflow developers"},
};

const DialogTemplate kMainDialog = {
    IDD_CORNERFLOW_DIALOG,
    {0, 0, 415, 331},
    "Обтекание тупого угла",
    "Arial,Liberation Sans",
    9,
    {6, 15},
    kMainControls,
    sizeof(kMainControls) / sizeof(kMainControls[0]),
};

const DialogTemplate kAboutDialog = {
    IDD_ABOUTBOX,
    {0, 0, 330, 117},
    "About Cornerflow",
    "MS Shell Dlg,Microsoft Sans Serif,Tahoma,Liberation Sans",
    8,
    {6, 13},
    kAboutControls,
    sizeof(kAboutControls) / sizeof(kAboutControls[0]),
};

struct ImageEntry {
    int id;
    const char* path;
};

const ImageEntry kBitmaps[] = {
    {IDB_UPSTREAM_NAMES, ":/cornerflow/bitmap_1000.svg"},
    {IDB_PROBE_NAMES, ":/cornerflow/bitmap_130.svg"},
    {IDB_VELOCITY_NAMES, ":/cornerflow/bitmap_131.svg"},
    {IDB_CRIT_NAMES, ":/cornerflow/bitmap_134.svg"},
    {IDB_UPSTREAM_UNITS, ":/cornerflow/bitmap_135.svg"},
    {IDB_PROBE_UNITS, ":/cornerflow/bitmap_136.svg"},
    {IDB_VELOCITY_UNITS, ":/cornerflow/bitmap_137.svg"},
    {IDB_CRIT_UNITS, ":/cornerflow/bitmap_138.svg"},
};

// The English twins of the images with Russian words in them.
const ImageEntry kEnglishBitmaps[] = {
    {IDB_CRIT_NAMES, ":/cornerflow/bitmap_134_en.svg"},
    {IDB_UPSTREAM_UNITS, ":/cornerflow/bitmap_135_en.svg"},
    {IDB_PROBE_UNITS, ":/cornerflow/bitmap_136_en.svg"},
    {IDB_VELOCITY_UNITS, ":/cornerflow/bitmap_137_en.svg"},
    {IDB_CRIT_UNITS, ":/cornerflow/bitmap_138_en.svg"},
};

} // namespace

const ControlTemplate* DialogTemplate::Find(int controlId) const
{
    if (controlId == IDC_STATIC)
        return nullptr; // shared by every label image
    for (const ControlTemplate& c : *this)
        if (c.id == controlId)
            return &c;
    return nullptr;
}

PixelRect DialogTemplate::ToPixels(const DlgRect& r) const
{
    return PixelRect{r.x * units.x / 4, r.y * units.y / 8, r.w * units.x / 4, r.h * units.y / 8};
}

const DialogTemplate& MainDialogTemplate() { return kMainDialog; }
const DialogTemplate& AboutDialogTemplate() { return kAboutDialog; }

const char* LoadString(int id)
{
    if (id == IDS_ABOUTBOX)
        return "&About Cornerflow...";
    return "";
}

const char* BitmapPath(int bitmapId)
{
    for (const ImageEntry& e : kBitmaps)
        if (e.id == bitmapId)
            return e.path;
    return nullptr;
}

const char* EnglishBitmapPath(int bitmapId)
{
    for (const ImageEntry& e : kEnglishBitmaps)
        if (e.id == bitmapId)
            return e.path;
    return BitmapPath(bitmapId);
}

const char* IconPath(int iconId)
{
    return iconId == IDR_MAINFRAME ? ":/cornerflow/icon_128.svg" : nullptr;
}

} // namespace res
