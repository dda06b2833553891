#pragma once

#include <initializer_list>

class QWidget;

/// Makes the Tab key visit `widgets` in the order given, whatever order they
/// were made or laid out in. The widgets share one window; fewer than two
/// change nothing.
void SetTabOrder(std::initializer_list<QWidget*> widgets);
