#pragma once

// The router model: the settings file stores it as the item index of the
// model list (0 Type A, 1 Type B, -1 none chosen).
enum class RouterType { None = -1, TypeA = 0, TypeB = 1 };

// The model of a stored index; any index but 0 and 1 means none chosen.
constexpr RouterType RouterTypeFromIndex(int index)
{
    return index == 0 ? RouterType::TypeA : index == 1 ? RouterType::TypeB : RouterType::None;
}

constexpr int RouterTypeIndex(RouterType type)
{
    return static_cast<int>(type);
}
