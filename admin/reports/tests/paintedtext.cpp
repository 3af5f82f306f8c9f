// See paintedtext.h. The engine claims every feature, so that the painter
// hands it text as text under any transformation (a preview draws its pages
// scaled) instead of turning it into outlines.
#include "admin/reports/tests/paintedtext.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>
#include <QWidget>

namespace {

class TextKeepingEngine : public QPaintEngine {
public:
    TextKeepingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath &) override {}
    void drawTextItem(const QPointF &, const QTextItem &item) override { texts << item.text(); }
    Type type() const override { return QPaintEngine::User; }

    QStringList texts;
};

class TextKeepingDevice : public QPaintDevice {
public:
    explicit TextKeepingDevice(QSize size) : m_size(size) {}

    QPaintEngine *paintEngine() const override { return &m_engine; }
    QStringList texts() const { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / 960;
        case PdmHeightMM:
            return m_size.height() * 254 / 960;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    QSize m_size;
    mutable TextKeepingEngine m_engine;
};

} // namespace

QStringList PaintedTexts(QWidget &window)
{
    TextKeepingDevice device(window.size());
    window.render(&device);
    return device.texts();
}
