#include "app/picture_accessible.h"

#include <algorithm>
#include <cmath>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QStringList>

#include "app/flow_view_widget.h"
#include "dialog/flow_session.h"

namespace {

QString Tr(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}

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

namespace {
// A sentence finished by the language's own full stop ("." translated in the "Picture" words:
// 。 in Chinese), unless it ends with a full stop of either form already.
QString Finished(QString words)
{
    if (!words.isEmpty() && !words.endsWith(QLatin1Char('.')) && !words.endsWith(QChar(0x3002)))
        words += Tr("Picture", ".");
    return words;
}
} // namespace

QString Sentence(QString words)
{
    words = words.trimmed();
    if (words.isEmpty())
        return words;
    words[0] = words[0].toUpper();
    return Finished(words);
}

QString PictureDescription(const FlowSession& session) { return SpokenText(session.Description()); }

QString StatusText(const FlowSession& session) { return SpokenText(session.Status()); }

QString SpokenText(const std::vector<SpokenSentence>& spoken)
{
    // The core's sentences: words translated with their values filled where they stand (a
    // template without %1 and %2 is the whole sentence); values alone as the picture writes
    // them (beta keeps its small letter).
    QStringList sentences;
    for (const SpokenSentence& s : spoken) {
        QStringList values;
        for (const std::string& v : s.values)
            values << QString::fromStdString(v);
        if (!s.words) {
            sentences << Finished(values.join(QStringLiteral(", ")));
            continue;
        }
        QString text = Tr("Picture", s.words);
        for (int i = 0; i < values.size(); ++i)
            text.replace(QLatin1Char('%') + QString::number(i + 1), values[i]);
        sentences << Sentence(text);
    }
    sentences.removeAll(QString());
    return sentences.join(QLatin1Char(' '));
}

QString PictureValueText(const FlowSession& session)
{
    const FlowSession::Slider s = session.WallSlider();
    return Tr("Picture", s.words)
        .replace(QStringLiteral("%1"), QString::fromStdString(s.beta))
        .replace(QStringLiteral("%2"), QString::fromStdString(s.turn));
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
