#pragma once

class QAbstractScrollArea;

namespace Tavrel::Tessel {

/// Gives the area's scroll bars the kit's thin look. The scroll bar objects stay (a custom one the
/// caller installed keeps its behaviour); they are marked for the style sheet (`QScrollBar[tessel="true"]`)
/// and re-polished.
void convertScrollBarsToTessel(QAbstractScrollArea* area);

} // namespace Tavrel::Tessel
