#include "support/BarFixture.h"

#include <functional>
#include <stdexcept>
#include <vector>

namespace vp::test {
namespace {

using Strings = std::vector<std::string>;

Strings Names(const PropertyBag& bag) {
    Strings out;
    for (const auto& entry : bag.entries()) {
        out.push_back(entry.first);
    }
    return out;
}

class PropertiesTest : public BarFixture {
protected:
    void SetUp() override { host(); }
};

TEST_F(PropertiesTest, ValueMapsOntoTheStoredPercentageWithHalvesToEven) {
    bar->setMax(8);
    bar->setValue(1); // 12.5
    EXPECT_EQ(bar->lPercent(), 12);
    EXPECT_EQ(bar->Value(), 1); // 0.96

    // Changing a limit rescales nothing: the bar keeps its look, Value reads differently.
    bar->setMax(200);
    bar->setValue(50);
    const int copies = site.copiesShown();
    bar->setMax(100);
    EXPECT_EQ(bar->lPercent(), 25);
    EXPECT_EQ(bar->Value(), 25);
    EXPECT_EQ(site.copiesShown(), copies);

    bar->setMin(10);
    bar->setMax(20);
    bar->setValue(15);
    EXPECT_EQ(bar->lPercent(), 50);
    EXPECT_EQ(bar->Value(), 15);
}

TEST_F(PropertiesTest, ArithmeticErrorsReachTheCallerAndChangeNothing) {
    bar->setValue(40);
    const sim::SimRaster before = site.screen();
    const int copies = site.copiesShown();

    EXPECT_THROW(bar->setValue(21474837), std::overflow_error); // * 100 passes 2^31 - 1
    EXPECT_THROW(bar->setValue(-21474837), std::overflow_error);
    EXPECT_NO_THROW(bar->setValue(21474836)); // 2147483600 fits; drawn as 100 %
    bar->setValue(40);

    bar->setMax(0);
    EXPECT_THROW(bar->setValue(1), std::domain_error);
    EXPECT_EQ(bar->Value(), 0) << "reading with Max 0 gives 0";
    bar->setMin(10);
    bar->setMax(10);
    EXPECT_THROW(bar->setValue(10), std::domain_error);
    EXPECT_EQ(bar->Value(), 10) << "reading with Max = Min gives Min";
    bar->setMin(0);
    bar->setMax(100);

    EXPECT_EQ(bar->lPercent(), 40);
    EXPECT_EQ(site.screen(), before);
    EXPECT_EQ(site.copiesShown(), copies + 2) << "failed sets draw nothing";
}

TEST_F(PropertiesTest, SettersSignalAndRepaintAsEachPropertyDoes) {
    struct Case {
        const char* name;
        std::function<void()> set;
        bool signals;
        bool repaints;
    };
    const std::vector<Case> cases = {
        {"BrushStyle", [&] { bar->setBrushStyle(5); }, true, false},
        {"Color", [&] { bar->setColor(0x00FF00); }, false, true},
        {"Font",
         [&] {
             bar->setFont(FontSpec{"Arial", 10});
         },
         false, false},
        {"Image", [&] { bar->setImage(nullptr); }, true, true},
        {"Min", [&] { bar->setMin(0); }, true, false},
        {"Max", [&] { bar->setMax(100); }, true, false},
        {"Orientation", [&] { bar->setOrientation(0); }, true, true},
        {"Scrolling", [&] { bar->setScrolling(3); }, true, true},
        {"ShowText", [&] { bar->setShowText(true); }, true, true},
        {"Value", [&] { bar->setValue(30); }, false, true},
        {"hwnd", [&] { bar->setHwnd(42); }, false, false},
        {"hdc", [&] { bar->setHdc(); }, false, false},
    };
    for (const Case& c : cases) {
        site.changedProperties.clear();
        const int copies = site.copiesShown();
        c.set();
        EXPECT_EQ(site.changedProperties, c.signals ? Strings{c.name} : Strings{}) << c.name;
        EXPECT_EQ(site.copiesShown(), copies + (c.repaints ? 1 : 0)) << c.name;
    }
}

TEST_F(PropertiesTest, ColourIsTranslatedWhenAssigned) {
    graphics.sysColors.colors[13] = 0x102030;
    bar->setColor(0x8000000D);
    graphics.sysColors.colors[13] = 0x405060;
    EXPECT_EQ(bar->Color(), 0x102030u) << "the RGB value is kept, not the code";
}

TEST_F(PropertiesTest, LoadingGoesThroughTheSettersInTheTablesOrder) {
    PropertyBag saved;
    saved.WriteProperty("Value", 30, 0);
    saved.WriteProperty("Scrolling", 4, 0);
    site.changedProperties.clear();
    host(std::move(saved));
    EXPECT_EQ(site.changedProperties,
              (Strings{"Max", "Min", "Orientation", "Scrolling", "ShowText"}));
    EXPECT_EQ(bar->hwnd(), site.hWnd());

    PropertyBag other;
    other.WriteProperty("ShowText", 1, 0);         // a number taken as a Boolean
    other.WriteProperty("Scrolling", true, false); // True taken as a Long: -1
    host(other);
    EXPECT_TRUE(bar->ShowText());
    EXPECT_EQ(bar->Scrolling(), -1);

    PropertyBag wrong;
    wrong.WriteProperty("Image", 5, 0);
    EXPECT_THROW(host(wrong), std::invalid_argument);
}

TEST_F(PropertiesTest, ANewControlSavesBrushStyle0AndItsColourAndKeepsThemThroughALoad) {
    // A control placed anew is created but has nothing to load: its style is 0 while the
    // stored default is 4, and its colour is plain RGB, never the default code.
    bar.reset();
    XP_ProgressBar placed(site, graphics);
    placed.Initialize();
    PropertyBag saved;
    placed.WriteProperties(saved);
    EXPECT_EQ(Names(saved), (Strings{"Font", "BrushStyle", "Color"}));
    EXPECT_EQ(saved.ReadProperty("BrushStyle", 4), PropertyValue(0));
    EXPECT_EQ(saved.ReadProperty("Color", 0),
              PropertyValue(static_cast<std::int32_t>(graphics.getSysColor(13))));

    host(saved);
    site.saveProperties();
    EXPECT_EQ(site.properties().entries(), saved.entries()) << "BrushStyle came back as 0";

    // Loaded from an empty store, the style takes the stored default and is then left out.
    host(PropertyBag{});
    site.saveProperties();
    EXPECT_EQ(Names(site.properties()), (Strings{"Font", "Color"}));
}

TEST_F(PropertiesTest, EveryPropertySurvivesASaveAndALoad) {
    bar->setFont(FontSpec{"Tahoma", 9, true, 700});
    bar->setBrushStyle(4);
    bar->setColor(0xC56A31);
    bar->setImage(graphics.createBitmap(2, 2, std::vector<Color>(4, 0x00FF00)));
    bar->setMax(8);
    bar->setOrientation(1);
    bar->setScrolling(8);
    bar->setShowText(true);
    bar->setValue(3); // 37.5 -> 38
    site.saveProperties();
    const PropertyBag saved = site.properties();
    EXPECT_EQ(Names(saved), (Strings{"Font", "Color", "Image", "Max", "Orientation", "Scrolling",
                                     "ShowText", "Value"}))
        << "BrushStyle 4 is the default and is left out";

    host(saved);
    EXPECT_EQ(bar->lPercent(), 38) << "the stored percentage, not rescaled through Max";
    EXPECT_EQ(bar->Value(), 3);
    site.saveProperties();
    EXPECT_EQ(site.properties().entries(), saved.entries()) << "a property lost on the way";
}

TEST_F(PropertiesTest, APropertyStoreKeepsOnlyWhatDiffersFromTheDefaults) {
    PropertyBag bag;
    bag.WriteProperty("A", 1, 0);
    bag.WriteProperty("B", 2, 0);
    bag.WriteProperty("A", 0, 0);
    bag.WriteProperty("B", 3, 0);
    bag.WriteProperty("C", std::monostate{}, std::monostate{});
    EXPECT_EQ(Names(bag), Strings{"B"});
    EXPECT_EQ(bag.ReadProperty("A", 7), PropertyValue(7));
    EXPECT_EQ(bag.ReadProperty("B", 0), PropertyValue(3));
}

} // namespace
} // namespace vp::test
