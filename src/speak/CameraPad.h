#pragma once
// The camera's motion and speed buttons, laid out alike in both camera
// windows: a cross of the four directions, then zoom, iris and speed in three
// columns. A motion button sends its word when pressed and the stop word when
// released (or when the pointer leaves it), so the camera moves exactly while
// it is held; the speed buttons send on a click.

#include <QPoint>
#include <QSize>

class Link;
class PageBuilder;

namespace CameraPad {

// Object names (language keys) in this order: up, left, right, down, zoom in,
// zoom out, iris open, iris close, speed up, speed down.
constexpr int kButtons = 10;
using Names = const char* const[kButtons];

// Builds the buttons into the builder's parent from `origin`; gives the size taken.
QSize build(PageBuilder& builder, Link& link, Names& names, QPoint origin, QSize button, int gap);

} // namespace CameraPad
