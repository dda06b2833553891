#pragma once

#include "document/axis_settings.h"

class QComboBox;
class QWidget;

/// The "Apply To:" list shared by the axis dialogs, on "Current Axis".
QComboBox* MakeApplyToCombo(QWidget* parent);
/// A list of the three side choices ("Normal Side" ...).
QComboBox* MakeSideCombo(QWidget* parent);
