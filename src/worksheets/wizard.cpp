#include "worksheets/wizard.h"

#include "platform/codepage.h"
#include "platform/numtext.h"
#include "platform/seqfile.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

namespace lumora {

Wizard& Screens::wizard() { return get<Wizard>(QStringLiteral("wizard")); }

std::optional<WizardBox> enterTarget(WizardBox from) {
    switch (from.kind) {
    case WizardBox::Title:
        return WizardBox{WizardBox::Question, 0, 0};
    case WizardBox::Question:
        return WizardBox{WizardBox::Choice, from.question, 0};
    case WizardBox::Choice:
        if (from.choice < worksheet::Choices - 1)
            return WizardBox{WizardBox::Choice, from.question, from.choice + 1};
        if (from.question < worksheet::Questions - 1)
            return WizardBox{WizardBox::Question, from.question + 1, 0};
        return std::nullopt;
    }
    return std::nullopt;
}

namespace {

// Refuses, as it is typed or pasted, any character that a worksheet file cannot
// hold, so that nothing is turned into something else when it is saved.
class CodePageValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return cp1252::canEncode(input) ? Acceptable : Invalid;
    }
};

// Geometry of the two columns of five questions, in twips.
constexpr double ColumnLeft[2] = {120, 6060};
constexpr double FirstBlock = 960;
constexpr double BlockStep = 1410;
constexpr double ColumnWidth = 5760;
constexpr double ChoiceWidth = 2880;

} // namespace

Wizard::Wizard(App& app) : Screen(app, QStringLiteral("wizard")) {
    auto* validator = new CodePageValidator(this);
    int labelIndex = 0;
    auto caption = [&](const QString& text, double points, TwipsBox box) {
        Label1.push_back(label(this, QStringLiteral("Label1(%1)").arg(labelIndex++), text,
                               {.font = {"Tahoma", points, Weight::Bold}}, box));
    };
    auto entryBox = [&](const QString& name, int length, double points, TwipsBox box) {
        QLineEdit* edit = textBox(this, name, {"Times New Roman", points}, box, length);
        edit->setValidator(validator);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this] { m_unsaved = true; });
        return edit;
    };

    caption(QStringLiteral("Multiple Choice Wizard"), 18, {120, 120, 5700, 600});
    caption(QStringLiteral("Worksheet Title"), 11, {6060, 240, 1920, 360});
    Text1 = entryBox(QStringLiteral("Text1"), worksheet::TitleLength, 12, {8040, 180, 3840, 420});

    const QString letters[] = {QStringLiteral("A."), QStringLiteral("B."), QStringLiteral("C."),
                               QStringLiteral("D.")};
    for (int q = 0; q < worksheet::Questions; ++q) {
        const double left = ColumnLeft[q / 5];
        const double top = FirstBlock + BlockStep * (q % 5);
        caption(QStringLiteral("Question") + signedText(q + 1), 9.75, {left, top, 2400, 270});
        Text2[q] = entryBox(QStringLiteral("Text2(%1)").arg(q), worksheet::QuestionLength, 12,
                            {left, top + 270, ColumnWidth, 330});
        for (int c = 0; c < worksheet::Choices; ++c) {
            const int i = worksheet::Choices * q + c;
            const double x = left + ChoiceWidth * (c % 2);
            const double y = top + 630 + 330 * (c / 2);
            Check1[i] = checkBox(this, QStringLiteral("Check1(%1)").arg(i), {x, y + 15, 270, 270});
            connect(Check1[i], &QCheckBox::clicked, this, [this] { m_unsaved = true; });
            caption(letters[c], 9.75, {x + 285, y, 270, 300});
            Text3[i] = entryBox(QStringLiteral("Text3(%1)").arg(i), worksheet::ChoiceLength, 9.75,
                                {x + 540, y, ChoiceWidth - 660, 300});
        }
    }

    Label3[ExitButton] = buttonLabel(this, QStringLiteral("Label3(0)"), QStringLiteral("Exit"),
                                     {10200, 8220, 1560, 480});
    Label3[SaveButton] = buttonLabel(this, QStringLiteral("Label3(1)"),
                                     QStringLiteral("Save Worksheet"), {6960, 8220, 3000, 480});
    connect(Label3[ExitButton], &ButtonLabel::clicked, this,
            [this] { this->app.screens.unload(this); });
    connect(Label3[SaveButton], &ButtonLabel::clicked, this, &Wizard::genwork);
    setHoverResets({Label3[0], Label3[1]});

    setExitButton(Label3[ExitButton]);
}

void Wizard::load() {
    fitscreen(*this);
    for (QCheckBox* tick : Check1)
        setBackground(tick, colours::ScreenBlue);
}

std::vector<QWidget*> Wizard::tabChain() const {
    std::vector<QWidget*> chain{Text1};
    for (int q = 0; q < worksheet::Questions; ++q) {
        chain.push_back(Text2[q]);
        for (int c = 0; c < worksheet::Choices; ++c)
            chain.push_back(Text3[worksheet::Choices * q + c]);
    }
    chain.insert(chain.end(), Check1.begin(), Check1.end());
    chain.push_back(Label3[SaveButton]);
    chain.push_back(Label3[ExitButton]);
    return chain;
}

QLineEdit* Wizard::box(WizardBox b) const {
    switch (b.kind) {
    case WizardBox::Title:
        return Text1;
    case WizardBox::Question:
        return Text2[b.question];
    case WizardBox::Choice:
        return Text3[worksheet::Choices * b.question + b.choice];
    }
    return nullptr;
}

std::optional<WizardBox> Wizard::boxOf(QObject* widget) const {
    if (widget == Text1)
        return WizardBox{WizardBox::Title, 0, 0};
    for (int q = 0; q < worksheet::Questions; ++q) {
        if (widget == Text2[q])
            return WizardBox{WizardBox::Question, q, 0};
        for (int c = 0; c < worksheet::Choices; ++c) {
            if (widget == Text3[worksheet::Choices * q + c])
                return WizardBox{WizardBox::Choice, q, c};
        }
    }
    return std::nullopt;
}

bool Wizard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (const auto from = boxOf(watched)) {
                if (const auto to = enterTarget(*from))
                    box(*to)->setFocus();
            }
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}

worksheet::Entries Wizard::entries() const {
    worksheet::Entries e;
    e.title = Text1->text();
    for (int q = 0; q < worksheet::Questions; ++q)
        e.question[q] = Text2[q]->text();
    for (std::size_t i = 0; i < Text3.size(); ++i) {
        e.choice[i] = Text3[i]->text();
        e.ticked[i] = Check1[i]->isChecked();
    }
    return e;
}

void Wizard::fill(const worksheet::Entries& e) {
    Text1->setText(e.title);
    for (int q = 0; q < worksheet::Questions; ++q)
        Text2[q]->setText(e.question[q]);
    for (std::size_t i = 0; i < Text3.size(); ++i) {
        Text3[i]->setText(e.choice[i]);
        Check1[i]->setChecked(e.ticked[i]);
    }
}

void Wizard::genwork() {
    const worksheet::Entries e = entries();
    if (const auto problem = worksheet::genwork(e)) {
        app.messages.tell(*problem, this);
        return;
    }
    saveworksheet(e);
}

void Wizard::saveworksheet(const worksheet::Entries& e) {
    try {
        worksheet::saveworksheet(app.state, e);
    } catch (const FileError&) {
        app.messages.tell(worksheet::SaveFailed, this);
        return;
    }
    m_unsaved = false;
    app.messages.tell(worksheet::Saved, this);
}

} // namespace lumora
