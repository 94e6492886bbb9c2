#pragma once

#include <span>

// The main window's static layout, as data: every control's place, size,
// texts and tab order, in 96-dpi design pixels. Qt scales logical pixels to
// the monitor itself, so these lengths are used as they stand.

namespace lexaran::ui {

struct TControlLayout
{
    const char *Name;
    int Left, Top, Width, Height;
    const char16_t *Caption;                 // button/group caption, edit cue text, combo's first entry
    int TabOrder;                            // -1: not a tab stop
    std::span<const char16_t *const> Items;  // radio entries or list entries
    const char16_t *AccessibleName;          // the visible caption; a short Kazakh name where none is visible
    const char16_t *AccessibleDescription;   // what a screen reader adds on request; may be null
};

struct TGridColumnLayout
{
    const char *FieldName;
    const char16_t *Title;
    int Width;
};

struct TFormLayout
{
    const char16_t *Caption;
    int ClientWidth, ClientHeight;
    const char *FontFamily;
    int FontPixelHeight;
    int TextHeight;       // the font's text height, for the radio buttons' geometry
    int IndicatorWidth;
    int RowHeight;
    int ListEntryHeight;  // the category list's entries
};

extern const TFormLayout kForm1;
extern const std::span<const TControlLayout> kForm1Controls;
extern const std::span<const TGridColumnLayout> kGridColumns;
extern const std::span<const int> kStatusPanelWidths;

// The control's entry by name; throws std::out_of_range for an unknown name.
const TControlLayout &ControlLayout(const char *name);

} // namespace lexaran::ui
