// Drawn rather than loaded: a lamp in the colour of the state's family
// (idle, ringing, talking, recording, fault...) reads well at 16 pixels on
// any theme and needs no image files beside the programs.
#include "admin/ports/portstateicons.h"

#include "admin/ports/portstatetable.h"

#include <QPainter>
#include <QPixmap>

#include <array>

namespace {
// Families of states and the lamp colour of each.
enum Family { Idle, Active, Alert, Talking, Recording, Fax, Fault, Blocked };

const std::array<QRgb, 8> kFamilyColours = {
    qRgb(76, 160, 76),  // Idle: green
    qRgb(230, 180, 40), // Active: amber
    qRgb(240, 120, 30), // Alert: orange
    qRgb(50, 110, 200), // Talking: blue
    qRgb(200, 50, 50),  // Recording: red
    qRgb(130, 80, 170), // Fax: violet
    qRgb(150, 40, 40),  // Fault: dark red
    qRgb(90, 90, 90),   // Blocked: grey
};

const std::array<Family, CPortStateTable::Count> kFamilies = {
    Idle,    Active,    Alert,   Talking, Recording, Active,  Idle,    Active,  Active, Talking, Fax,
    Fault,   Fault,     Talking, Fault,   Talking,   Active,  Fault,   Fault,   Fault,  Blocked, Talking,
    Talking, Recording, Active,  Active,  Active,    Talking, Talking, Talking, Alert,  Alert,   Active,
    Talking, Talking,   Active,  Talking, Talking,   Talking, Fax,     Fax,
};

QPixmap drawLamp(const QColor &fill, bool hollow)
{
    QPixmap pixmap(CPortStateIcons::Size, CPortStateIcons::Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lamp(2.5, 2.5, 11, 11);
    painter.setPen(QPen(fill.darker(150), 1));
    if (hollow) {
        painter.setBrush(Qt::NoBrush);
    } else {
        QRadialGradient shine(lamp.center() - QPointF(2, 2), 8);
        shine.setColorAt(0, fill.lighter(160));
        shine.setColorAt(1, fill);
        painter.setBrush(shine);
    }
    painter.drawEllipse(lamp);
    return pixmap;
}
} // namespace

QIcon CPortStateIcons::Icon(int index)
{
    static const std::array<QIcon, CPortStateTable::Count + 1> icons = [] {
        std::array<QIcon, CPortStateTable::Count + 1> made;
        for (int i = 0; i < CPortStateTable::Count; ++i)
            made[i] = QIcon(drawLamp(QColor(kFamilyColours[kFamilies[i]]), false));
        made[CPortStateTable::Count] = QIcon(drawLamp(QColor(128, 128, 128), true));
        return made;
    }();
    if (index < 0 || index >= CPortStateTable::Count)
        return icons[CPortStateTable::Count];
    return icons[index];
}
