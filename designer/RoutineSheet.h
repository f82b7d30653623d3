// The routine sheet: the eight weeks of a generated cycle drawn on one page in page units, each set as
// its gripper setting, its tension and repetitions, and a rule on which the user writes the result.
#pragma once

#include "designer/CycleGenerator.h"

#include <QFont>
#include <QPoint>
#include <QRect>

namespace preview {
class TCanvas;
class TPrintPreview;
} // namespace preview

namespace designer {

// Draws the sheet on `canvas`, whose painter works in page units with its font sizes resolved within
// them. `page` is the paper in page units (origin at the top left, y downwards) and `margin` is 10 mm
// in those units horizontally and vertically; the layout scales with both. Draws nothing when the
// canvas's painter is not active.
void DrawRoutineSheet(preview::TCanvas& canvas, const CycleTable& cycle, const QRect& page, QPoint margin);

// Draws the sheet on the page that `preview` is recording (between BeginDoc and EndDoc), in its units
// and on its paper. Raises std::runtime_error when no page is being recorded.
void DrawRoutineSheet(preview::TPrintPreview& preview, const CycleTable& cycle);

// The fonts of the week headings and of the set lines, at 12 points, regular.
QFont RoutineHeadingFont();
QFont RoutineSetFont();

} // namespace designer
