#include "app/picture_accessible.h"

#include <algorithm>
#include <cmath>

#include <QAccessible>
#include <QAccessibleWidget>

#include "app/flow_view_widget.h"
#include "dialog/flow_session.h"

namespace {

class PictureAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit PictureAccessible(FlowViewWidget* picture)
        : QAccessibleWidget(picture, QAccessible::Slider), picture_(picture)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text which) const override
    {
        switch (which) {
        case QAccessible::Description: return PictureDescription(picture_->Session());
        case QAccessible::Value: return PictureValueText(picture_->Session());
        default: return QAccessibleWidget::text(which);
        }
    }

    QVariant currentValue() const override { return picture_->Session().WallSlider().value; }
    QVariant maximumValue() const override { return picture_->Session().WallSlider().max; }
    QVariant minimumValue() const override { return picture_->Session().WallSlider().min; }
    QVariant minimumStepSize() const override { return 1.0; }

    void setCurrentValue(const QVariant& value) override
    {
        bool ok = false;
        const double beta = value.toDouble(&ok);
        if (!ok || std::isnan(beta))
            return;
        const FlowSession::Slider range = picture_->Session().WallSlider();
        picture_->Session().SetBodyAngle(std::clamp(beta, range.min, range.max));
    }

private:
    FlowViewWidget* picture_;
};

QAccessibleInterface* PictureFactory(const QString&, QObject* object)
{
    // Asked once per object and class name on the way up its classes; the picture window has
    // no class name of its own, so it is known by its type.
    if (auto* picture = dynamic_cast<FlowViewWidget*>(object))
        return new PictureAccessible(picture);
    return nullptr;
}

std::function<void(const QAccessibleEvent&)>& Watcher()
{
    static std::function<void(const QAccessibleEvent&)> watcher;
    return watcher;
}

} // namespace

void InstallPictureAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(PictureFactory);
}

QString PictureDescription(const FlowSession& session)
{
    return QString::fromStdString(session.DescriptionText());
}

QString StatusText(const FlowSession& session)
{
    return QString::fromStdString(session.StatusText());
}

QString PictureValueText(const FlowSession& session)
{
    return QString::fromStdString(session.WallSliderText());
}

void SendAccessibleEvent(QAccessibleEvent& event)
{
    if (Watcher())
        Watcher()(event);
    QAccessible::updateAccessibility(&event);
}

void WatchAccessibleEvents(std::function<void(const QAccessibleEvent&)> watcher)
{
    Watcher() = std::move(watcher);
}
