#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;
class TVkURLLabel;

// Fonts and colours the two windows share.
QFont PixelFont(const QString& family, int pixels, bool bold = false, bool underline = false);

inline const QColor kNavy(0, 0, 128);
inline const QColor kBlue(0, 0, 255);
inline const QColor kAqua(0, 255, 255);

// The product's web site, shown by the link labels of both windows.
inline constexpr char kProductWebAddress[] = "https://vitreo-k.example/";
inline constexpr char kProductWebCaption[] = "vitreo-k.example";

// A link to the product's web site: navy, underlined, aqua while the pointer is over it, sized
// to its text.
TVkURLLabel* CreateWebLink(QWidget* parent, const QString& name, const QFont& font);
