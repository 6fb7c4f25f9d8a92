#include "pages/pageviewer.h"

#include "platform/printer.h"
#include "platform/seqfile.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"
#include "shell/messagetexts.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace lumora {

namespace {

// A page reads as a document whose text is the page's words, line by line.
class PageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PageAccessible(PageImage* page) : QAccessibleWidget(page, QAccessible::Document) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }

    QString text(int start, int end) const override { return page().mid(start, end - start); }
    QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t); }
    int characterCount() const override { return static_cast<int>(page().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    const QString& page() const { return static_cast<PageImage*>(widget())->pageText(); }
};

QAccessibleInterface* pageFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("lumora::PageImage") && object->isWidgetType())
        return new PageAccessible(static_cast<PageImage*>(object));
    return nullptr;
}

struct ButtonDesign {
    const char* caption;
    double left, width;
};

// Along the bottom: Print on the left, the page links in the middle, Exit on the right.
constexpr ButtonDesign Buttons[] = {
    {"Print", 240, 1800},
    {"Exit", 9960, 1800},
    {"Next Page", 6120, 2400},
    {"Previous Page", 3480, 2400},
};

} // namespace

PageImage::PageImage(QWidget* parent) : QLabel(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(pageFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAccessibleName(QStringLiteral("Page"));
}

void PageImage::setPageText(const QString& text) {
    const QString old = m_text;
    m_text = text;
    QAccessibleTextUpdateEvent changed(this, 0, old, m_text);
    QAccessible::updateAccessibility(&changed);
}

PageViewer::PageViewer(App& app, const QString& name) : Screen(app, name) {
    Image1 = pictureBox<PageImage>(this, QStringLiteral("Image1"), QString(), {0, PageTop, 0, 0});
    Image2 = pictureBox(this, QStringLiteral("Image2"), QString(), {0, PageTop, 0, 0});
    Image2->hide();
    Label1 = label(this, QStringLiteral("Label1"), QString(),
                   {.font = {"Tahoma", 12, Weight::Bold}, .alignment = Qt::AlignCenter},
                   {3480, ButtonTop - 420, 5040, 360});
    for (int i = 0; i < 4; ++i) {
        Label3[i] = buttonLabel(this, QStringLiteral("Label3(%1)").arg(i),
                                QString::fromLatin1(Buttons[i].caption),
                                {Buttons[i].left, ButtonTop, Buttons[i].width, 480});
        Label3[i]->setHoverHighlight(false);
    }
    Label3[PreviousPage]->setEnabled(false);
    connect(Label3[PrintButton], &ButtonLabel::clicked, this, &PageViewer::print);
    connect(Label3[ExitButton], &ButtonLabel::clicked, this,
            [this] { this->app.screens.unload(this); });
    connect(Label3[NextPage], &ButtonLabel::clicked, this, [this] { nextPage(); });
    connect(Label3[PreviousPage], &ButtonLabel::clicked, this, [this] { previousPage(); });
    setExitButton(Label3[ExitButton]);
}

void PageViewer::clearPage() {
    Image1->clear();
    Image1->setPageText(QString());
    Image1->resize(0, 0);
    Image2->clear();
    m_printCopy.reset();
}

void PageViewer::loadPage(const QString& screenCopy, const QString& printCopy) {
    clearPage();
    try {
        Image1->setPageText(loadMetafile(Image1, screenCopy).pageText());
        m_printCopy = Metafile::load(printCopy);
    } catch (const FileError&) {
        clearPage();
        app.messages.tell(PageMissing, this);
        return;
    }
    Image1->move(twipsToPixels((ScreenWidth - pixelsToTwips(Image1->width())) / 2), Image1->y());
}

void PageViewer::print() {
    if (!m_printCopy) {
        app.messages.tell(PageMissing, this);
        return;
    }
    try {
        std::unique_ptr<Printer> printer = app.printers.open(QStringLiteral("Lumora page"));
        printer->printLine(QString());
        const Metafile page = *m_printCopy; // the printer draws it when the page is done
        printer->drawPicture(
            QPointF(1000, 1000), page.sizeTwips(),
            [page](QPainter& painter, const QRectF& target) { page.play(painter, target); });
        printer->endDoc();
    } catch (const PrintError&) {
        app.messages.tell(message_texts::PrintingProblem, this);
    }
}

} // namespace lumora
