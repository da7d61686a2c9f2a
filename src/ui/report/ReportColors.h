#pragma once

#include <QColor>

// The colours the report sheet's pieces share (not Design tokens: the sheet
// has its own blue and slate greys).
namespace ReportColors {

inline const QColor blue{37, 99, 235};
inline const QColor navy{23, 37, 84};
// Titles' secondary lines and small labels.
inline const QColor slate{100, 116, 139};
inline const QColor slateBlue{82, 98, 122};
// Table cells and the report path.
inline const QColor ink{51, 65, 85};
// The light fill of the profile card and of the table's odd rows.
inline const QColor lightFill{248, 251, 255};
inline const QColor cardOutline{217, 229, 242};
// The outline of the text fields and the notes editor.
inline const QColor fieldOutline{203, 217, 232};

} // namespace ReportColors
