#include "plots/run/SettingsStore.h"

#include <array>

namespace plots {

namespace {

// The value names of the six colours, in slot order.
const std::array<const char*, 6> ColourValueNames = {"Axes", "Titles", "MiscInfo", "Curve1", "Curve2", "Background"};

// A grid choice by its button's index; one out of range keeps `shown`.
template <typename Choice>
Choice ChoiceOf(std::int32_t stored, Choice shown)
{
    return stored >= 0 && stored < 4 ? static_cast<Choice>(stored) : shown;
}

void LoadAxis(const tk::Registry& store, const std::string& key, const char* axis, AxisOverride& into)
{
    const std::string name(axis);
    into.Enabled = store.GetInt(key, "chk" + name + "axis") != 0;
    into.StepText = store.GetText(key, "txt" + name + "step");
    into.MinText = store.GetText(key, "txt" + name + "min");
}

void SaveAxis(tk::Registry& store, const std::string& key, const char* axis, const AxisOverride& from)
{
    const std::string name(axis);
    store.SetInt(key, "chk" + name + "axis", from.Enabled ? 1 : 0);
    store.SetText(key, "txt" + name + "step", from.StepText);
    store.SetText(key, "txt" + name + "min", from.MinText);
}

}  // namespace

DisplaySettings LoadDisplaySettings(const tk::Registry& store, const std::string& key, DisplaySettings shown)
{
    if (!store.KeyExists(tk::HKEY_CURRENT_USER, key)) {
        shown.Colours = DefaultColours;
        shown.X = shown.Y = AxisOverride{};
        return shown;
    }
    shown.BlackAndWhite = store.GetInt(key, "BlacknWhite") != 0;
    shown.SmoothLines = store.GetInt(key, "SmoothLines") != 0;
    shown.GridType = ChoiceOf(store.GetInt(key, "GridType"), shown.GridType);
    shown.GridLines = ChoiceOf(store.GetInt(key, "GridLines"), shown.GridLines);
    LoadAxis(store, key, "X", shown.X);
    LoadAxis(store, key, "Y", shown.Y);
    if (store.GetInt(key, "Titles") != 0)
        for (std::size_t i = 0; i < shown.Colours.size(); ++i) shown.Colours[i] = Colour(store.GetInt(key, ColourValueNames[i]));
    return shown;
}

void SaveDisplaySettings(tk::Registry& store, const std::string& key, const DisplaySettings& settings)
{
    if (!store.KeyExists(tk::HKEY_CURRENT_USER, key)) store.CreateKey(tk::HKEY_CURRENT_USER, key);
    store.SetInt(key, "BlacknWhite", settings.BlackAndWhite ? 1 : 0);
    store.SetInt(key, "SmoothLines", settings.SmoothLines ? 1 : 0);
    store.SetInt(key, "GridType", static_cast<std::int32_t>(settings.GridType));
    store.SetInt(key, "GridLines", static_cast<std::int32_t>(settings.GridLines));
    if (!settings.BlackAndWhite)
        for (std::size_t i = 0; i < settings.Colours.size(); ++i)
            store.SetInt(key, ColourValueNames[i], std::int32_t(settings.Colours[i]));
    SaveAxis(store, key, "X", settings.X);
    SaveAxis(store, key, "Y", settings.Y);
}

}  // namespace plots
