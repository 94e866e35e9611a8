#pragma once

#include "platform/StatusItem.h"

// A status item whose button stands wherever the test puts it (screen
// coordinates, Qt's origin top left); an empty rectangle stands for an item
// that is shown nowhere.
class PlacedStatusItem : public StatusItem
{
public:
    QRect geometry;
    QRect buttonGeometry() const override { return geometry; }
};
