#include "Form1Layout.h"

#include <cstring>
#include <stdexcept>

namespace {

constexpr const char16_t *kMatchKinds[] = {u"Ішінде кездеседі", u"Осы сөзден басталады", u"Нақты сөзге тең"};
constexpr const char16_t *kSearchFields[] = {u"Барлығы", u"Орысша", u"Қазақша"};

constexpr const char16_t *kCategoryTexts[] = {
    u"Барлық категория",
    u"Заңтану",
    u"Дене тәрбиесі және спорт",
    u"Іс жүргізу және мұрағат ісі",
    u"Экономика және қаржы",
    u"Әдебиет және лингвистика",
    u"Мәдениет және өнер",
    u"Педагогика және психология",
    u"Тарих",
    u"Философия және саясаттану",
    u"Тамақ өнеркәсібі және тұрмыстық қызмет",
    u"Жеңіл және тоқыма өнеркәсібі",
    u"Геология, геодезия және география",
    u"Кен ісі және металлургия",
    u"Экология",
    u"Су шаруашылығы",
    u"Ауыл шаруашылығы",
    u"Медицина",
    u"Биология",
    u"Химия",
    u"Әскери іс",
    u"Статистика, стандарттау және зияткерлік меншік",
    u"Сәулет және құрылыс",
    u"Көлік және қатынас жолдары",
    u"Машинажасау",
    u"Электроника, радиотехника және байланыс",
    u"Энергетика",
    u"Механика және машинатану",
    u"Информатика және есептеуіш техника",
    u"Математика",
    u"Физика және астрономия",
    u"Әскерлік атаулар",
    u"Бекітілген терминдер жинағы",
    u"Терминдер 2012-2015",
    u"Пән сөздері",
    u"1971-1981",
    u"1990", u"1993", u"1995", u"1997", u"1998", u"1999", u"2000",
    u"2002", u"2003", u"2004", u"2005", u"2006", u"2007", u"2008", u"2009",
    u"2010", u"2011", u"2013", u"2014", u"2015", u"2016", u"2017", u"2018", u"2019",
};

constexpr TControlLayout kControls[] = {
    {"DBGrid1", ckDataGrid, 8, 95, 553, 138, nullptr, 0, {}, u"Табылған терминдер", nullptr},
    {"StatusBar1", ckStatusBar, 0, 549, 1097, 19, nullptr, -1, {}, u"Күй жолағы", nullptr},
    {"BitBtn1", ckButton, 623, 20, 87, 21, u"Іздеу", 2, {}, u"Іздеу", nullptr},
    {"Edit1", ckEdit, 8, 20, 377, 21, u"Іздейтін сөзіңізді енгізіңіз ...", 3, {}, u"Іздейтін сөз", nullptr},
    {"ComboBox1", ckComboBox, 391, 20, 226, 22, u"Барлық категория", 4, kCategoryTexts, u"Категория", nullptr},
    {"BitBtn2", ckButton, 712, 20, 87, 21, u"Барлығы", 5, {}, u"Барлығы", u"Барлық терминдерді көрсету"},
    {"RadioGroup1", ckRadioGroup, 8, 48, 449, 41, u"Іздеу түрі", 6, kMatchKinds, u"Іздеу түрі", nullptr},
    {"RadioGroup2", ckRadioGroup, 463, 47, 243, 41, u"Іздеу өрісі", 7, kSearchFields, u"Іздеу өрісі", nullptr},
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
const std::span<const char16_t *const> kCategories = kCategoryTexts;

const TControlLayout &ControlLayout(const char *name)
{
    for (const TControlLayout &control : kControls) {
        if (std::strcmp(control.Name, name) == 0)
            return control;
    }
    throw std::out_of_range(name);
}
