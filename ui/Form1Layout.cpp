#include "Form1Layout.h"

#include "Categories.h"

#include <cstring>
#include <stdexcept>

namespace lexaran::ui {

namespace {

constexpr const char16_t *kMatchKinds[] = {u"Ішінде кездеседі", u"Осы сөзден басталады", u"Нақты сөзге тең"};
constexpr const char16_t *kSearchFields[] = {u"Барлығы", u"Орысша", u"Қазақша"};

// Not constexpr: the category list lives in the search library.
const TControlLayout kControls[] = {
    {"DBGrid1", 8, 95, 553, 138, nullptr, 0, {}, u"Табылған терминдер", nullptr},
    {"StatusBar1", 0, 549, 1097, 19, nullptr, -1, {}, u"Күй жолағы", nullptr},
    {"BitBtn1", 623, 20, 87, 21, u"Іздеу", 2, {}, u"Іздеу", nullptr},
    {"Edit1", 8, 20, 377, 21, u"Іздейтін сөзіңізді енгізіңіз ...", 3, {}, u"Іздейтін сөз", nullptr},
    {"ComboBox1", 391, 20, 226, 22, u"Барлық категория", 4, search::kCategories, u"Категория", nullptr},
    {"BitBtn2", 712, 20, 87, 21, u"Барлығы", 5, {}, u"Барлығы", u"Барлық терминдерді көрсету"},
    {"RadioGroup1", 8, 48, 449, 41, u"Іздеу түрі", 6, kMatchKinds, u"Іздеу түрі", nullptr},
    {"RadioGroup2", 463, 47, 243, 41, u"Іздеу өрісі", 7, kSearchFields, u"Іздеу өрісі", nullptr},
};

constexpr TGridColumnLayout kColumns[] = {
    {"rus", u"Орысша", 193},
    {"kaz", u"Қазақша", 231},
    {"cat", u"Саласы", 241},
};

// The last panel always takes the rest of the bar; its own width is unused.
constexpr int kPanelWidths[] = {250, 50};

} // namespace

const TFormLayout kForm1 = {u"Lexaran - терминдер қоры ", 1097, 568, "Tahoma", 11, 13, 11, 17, 16};
const std::span<const TControlLayout> kForm1Controls = kControls;
const std::span<const TGridColumnLayout> kGridColumns = kColumns;
const std::span<const int> kStatusPanelWidths = kPanelWidths;

const TControlLayout &ControlLayout(const char *name)
{
    for (const TControlLayout &control : kControls) {
        if (std::strcmp(control.Name, name) == 0)
            return control;
    }
    throw std::out_of_range(name);
}

} // namespace lexaran::ui
