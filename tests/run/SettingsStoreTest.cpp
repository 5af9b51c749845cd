// The Setup tab's settings in the store, without a window: what a store holds reads back as the
// settings it was written from, stores written by earlier versions read as they always did, and
// values that make no sense leave the shown settings as they are.
#include "plots/run/SettingsStore.h"
#include "plots/run/Startup.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace plots;

namespace {

const std::string& Key = SettingsSubkey;
const std::array<const char*, 6> ColourNames = {"Axes", "Titles", "MiscInfo", "Curve1", "Curve2", "Background"};
const std::array<Colour, 6> Saved = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203};

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string File() const { return dir_.path().toStdString() + "/registry.ini"; }
    tk::Registry Store() const { return tk::Registry(File()); }

    // What the Setup tab shows before a load: nothing at its default.
    static DisplaySettings Shown()
    {
        DisplaySettings s;
        s.BlackAndWhite = true;
        s.SmoothLines = true;
        s.GridType = GridStyle::Dashed;
        s.GridLines = GridAxes::YOnly;
        s.Colours = DesignColours;
        s.X = {true, "1", "2"};
        s.Y = {true, "3", "4"};
        s.Zoom.X = AxisRange{0, 1};
        return s;
    }

    QTemporaryDir dir_;
};

void StoreColours(tk::Registry& r, const std::array<Colour, 6>& colours)
{
    for (std::size_t i = 0; i < colours.size(); ++i) r.SetInt(Key, ColourNames[i], std::int32_t(colours[i]));
}

// What a key whose values are all missing gives: zero for each, the shown colours kept.
void AllMissing(DisplaySettings& s)
{
    s.BlackAndWhite = s.SmoothLines = false;
    s.GridType = GridStyle::Solid;
    s.GridLines = GridAxes::None;
    s.X = s.Y = AxisOverride{};
}

struct LoadCase {
    const char* Name;
    std::function<void(tk::Registry&)> Prepare;
    std::function<void(DisplaySettings&)> Expect;  // applied to the shown settings
};

const LoadCase LoadCases[] = {
    {"NoKeyGivesDefaultColoursAndClearsTheAxesKeepingTheRest", [](tk::Registry&) {},
     [](DisplaySettings& s) {
         s.Colours = DefaultColours;
         s.X = s.Y = AxisOverride{};
     }},
    {"MissingValuesReadAsZeroAndUnchosenColoursStay",
     [](tk::Registry& r) {
         r.CreateKey(tk::HKEY_CURRENT_USER, Key);
         r.SetInt(Key, "BlacknWhite", 1);
     },
     [](DisplaySettings& s) {
         AllMissing(s);
         s.BlackAndWhite = true;
     }},
    {"BlackTitlesColourMeansColoursWereNeverChosen",
     [](tk::Registry& r) {
         StoreColours(r, {0x102030, 0, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203});
         r.SetInt(Key, "GridType", 3);
         r.SetInt(Key, "GridLines", 2);
     },
     [](DisplaySettings& s) {
         AllMissing(s);
         s.GridType = GridStyle::DashDotDot;
         s.GridLines = GridAxes::XOnly;
     }},
    {"AStoreOfTodaysProgramReadsBackWhole",
     [](tk::Registry& r) {
         r.SetInt(Key, "BlacknWhite", 0);
         r.SetInt(Key, "SmoothLines", 1);
         r.SetInt(Key, "GridType", 0);
         r.SetInt(Key, "GridLines", 3);
         StoreColours(r, Saved);
         r.SetInt(Key, "chkXaxis", 1);
         r.SetText(Key, "txtXstep", "0.5");
         r.SetText(Key, "txtXmin", "-2.5");
         r.SetInt(Key, "chkYaxis", 0);
         r.SetText(Key, "txtYstep", "");
         r.SetText(Key, "txtYmin", "7");
     },
     [](DisplaySettings& s) {
         s.BlackAndWhite = false;
         s.GridType = GridStyle::Solid;
         s.GridLines = GridAxes::YOnly;
         s.Colours = Saved;
         s.X = {true, "-2.5", "0.5"};
         s.Y = {false, "7", ""};
     }},
    {"ColoursKeepTheirHighBitsAsStored",
     [](tk::Registry& r) { StoreColours(r, {0x80000005, 0xFF, 1, 2, 3, 0xFFFFFFFF}); },
     [](DisplaySettings& s) {
         AllMissing(s);
         s.Colours = {0x80000005, 0xFF, 1, 2, 3, 0xFFFFFFFF};
     }},
    {"GridChoicesOutOfRangeKeepTheShownOnes",
     [](tk::Registry& r) {
         r.SetInt(Key, "GridType", 4);
         r.SetInt(Key, "GridLines", -1);
         r.SetInt(Key, "BlacknWhite", 1);
         r.SetInt(Key, "SmoothLines", 1);
     },
     [](DisplaySettings& s) { s.X = s.Y = AxisOverride{}; }},
    {"ValuesOfAnotherKindReadAsMissing",
     [](tk::Registry& r) {
         r.SetRegValue(tk::HKEY_CURRENT_USER, Key, "GridType", tk::REG_SZ, std::string("3"));
         r.SetRegValue(tk::HKEY_CURRENT_USER, Key, "GridLines", tk::REG_BINARY, tk::Bytes{2});
         r.SetRegValue(tk::HKEY_CURRENT_USER, Key, "BlacknWhite", tk::REG_SZ, std::string("1"));
         r.SetInt(Key, "txtXmin", 12);
         r.SetInt(Key, "chkYaxis", 1);
     },
     [](DisplaySettings& s) {
         AllMissing(s);
         s.Y.Enabled = true;
     }},
};

class LoadDisplaySettingsTest : public SettingsStoreTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadDisplaySettingsTest, ReadsOverTheShownSettings)
{
    const LoadCase& c = GetParam();
    tk::Registry store = Store();
    c.Prepare(store);
    DisplaySettings expected = Shown();
    c.Expect(expected);
    EXPECT_EQ(LoadDisplaySettings(Store(), Key, Shown()), expected) << "exploring (the zoom) is no setting";
}

INSTANTIATE_TEST_SUITE_P(Cases, LoadDisplaySettingsTest, ::testing::ValuesIn(LoadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SettingsStoreTest, SavedSettingsReadBackOverAnythingShown)
{
    const std::pair<GridStyle, GridAxes> grids[] = {{GridStyle::Solid, GridAxes::None},
                                                    {GridStyle::Dashed, GridAxes::XAndY},
                                                    {GridStyle::Dotted, GridAxes::XOnly},
                                                    {GridStyle::DashDotDot, GridAxes::YOnly}};
    for (const auto& [style, axes] : grids) {
        DisplaySettings saved = Shown();
        saved.BlackAndWhite = false;
        saved.SmoothLines = axes == GridAxes::XOnly;
        saved.GridType = style;
        saved.GridLines = axes;
        saved.Colours = Saved;
        saved.Colours[int(style)] = 0x123456;
        saved.Y = {false, "", "0.25"};
        tk::Registry store = Store();
        SaveDisplaySettings(store, Key, saved);
        EXPECT_EQ(LoadDisplaySettings(Store(), Key, Shown()), saved) << int(style);
    }
}

TEST_F(SettingsStoreTest, WritesTheValuesEarlierVersionsRead)
{
    DisplaySettings s;
    s.GridType = GridStyle::DashDotDot;
    s.GridLines = GridAxes::XOnly;
    s.Colours[4] = 0x123456;
    s.Y = {true, "-1.5", "2"};
    s.SmoothLines = true;
    tk::Registry store = Store();
    SaveDisplaySettings(store, Key, s);
    const auto number = [&](const char* name) {
        return std::get<std::int32_t>(store.GetRegValue(tk::HKEY_CURRENT_USER, Key, name, tk::REG_DWORD, -99));
    };
    // An empty text reads as the default given.
    const auto text = [&](const char* name) { return store.GetText(Key, name, ""); };
    const std::pair<const char*, std::int32_t> numbers[] = {
        {"BlacknWhite", 0}, {"SmoothLines", 1}, {"GridType", 3}, {"GridLines", 2}, {"Axes", 0x6F6F6F},
        {"Titles", 0x8000FF}, {"MiscInfo", 0x000080}, {"Curve1", 0xFF0000}, {"Curve2", 0x123456},
        {"Background", 0xC0C0C0}, {"chkXaxis", 0}, {"chkYaxis", 1}};
    for (const auto& [name, value] : numbers) EXPECT_EQ(number(name), value) << name;
    const std::pair<const char*, const char*> texts[] = {
        {"txtXmin", ""}, {"txtXstep", ""}, {"txtYmin", "-1.5"}, {"txtYstep", "2"}};
    for (const auto& [name, value] : texts) EXPECT_EQ(text(name), value) << name;
}

TEST_F(SettingsStoreTest, AKeyThatCannotBeMadeIsAnErrorAndWritesNothing)
{
    QFile plain(dir_.path() + "/plainfile");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    tk::Registry blocked(dir_.path().toStdString() + "/plainfile/registry.ini");
    EXPECT_THROW(SaveDisplaySettings(blocked, Key, DisplaySettings{}), tk::RegistryError);
    EXPECT_FALSE(blocked.KeyExists(tk::HKEY_CURRENT_USER, Key));
}

}  // namespace
