// The window as a screen reader and a keyboard user meet it: every input
// of every tab and of the top panel has a name of its own, every group a
// name, and Tab walks each of them as it is laid out.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <map>
#include <set>

#include "FormFixture.h"
#include "ui/EkvithGraphImage.h"
#include "ui/LogChartImage.h"

namespace {

// What a user works with, or reads as a whole (the charts), as the .ui
// files place them: the parts inside such a widget (a spin box's edit, a
// grid's scroll bars and headers) are the widget's own.
bool Interactive(const QWidget* widget)
{
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const LogChartImage*>(widget) || qobject_cast<const EkvithGraphImage*>(widget);
}

struct Found {
    std::vector<QWidget*> inputs, groups;
};

void Collect(QWidget* parent, Found& found)
{
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (Interactive(child)) {
            found.inputs.push_back(child);
            continue;
        }
        if (qobject_cast<QGroupBox*>(child))
            found.groups.push_back(child);
        Collect(child, found);
    }
}

// What a screen reader calls the widget.  Qt on Linux names a list after
// its current item; what the list is, readers take from its labels (its
// buddy label and the group around it).
QString SpokenName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (!face)
        return {};
    if (face->role() != QAccessible::ComboBox)
        return face->text(QAccessible::Name).trimmed();
    QStringList labels;
    for (const auto& [label, relation] : face->relations(QAccessible::Label))
        labels << label->text(QAccessible::Name).trimmed();
    return labels.join(QStringLiteral(" / "));
}

bool TakesTab(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The rectangles in which a and b stand beside each other: their own, or
// those of the groups that hold them apart (so the inputs of a group count
// where the group stands).
std::pair<QRect, QRect> SideBySide(QWidget* a, QWidget* b)
{
    QWidget* common = a->parentWidget();
    while (!common->isAncestorOf(b))
        common = common->parentWidget();
    const auto within = [common](QWidget* w) {
        while (w->parentWidget() != common)
            w = w->parentWidget();
        return w->geometry();
    };
    return {within(a), within(b)};
}

// Whether b is read before a: it lies wholly above a, or beside it on the
// left without starting lower.
bool ReadBefore(const QRect& b, const QRect& a)
{
    const bool overlap = b.top() <= a.bottom() && a.top() <= b.bottom();
    return b.bottom() < a.top() || (overlap && b.right() < a.left() && b.top() <= a.top());
}

class AccessibilityTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        WriteSettings();
        CreateForm();
        BuildEveryTab();
    }

    // The top panel first, then each tab in its order.
    std::vector<QWidget*> Areas()
    {
        std::vector<QWidget*> areas{Find<QWidget>("Panel1")};
        auto* pages = Find<QTabWidget>("PageControl");
        for (int i = 0; i < pages->count(); ++i)
            areas.push_back(pages->widget(i));
        return areas;
    }
};

TEST_F(AccessibilityTest, EveryInputHasANameOfItsOwnWithinItsTabAndEveryGroupAName)
{
    for (QWidget* area : Areas()) {
        const std::string where = area->objectName().toStdString();
        Found found;
        Collect(area, found);
        EXPECT_FALSE(found.inputs.empty()) << where;
        std::map<QString, QString> owners;  // name → input
        for (QWidget* input : found.inputs) {
            const QString name = SpokenName(input);
            const std::string what = input->objectName().toStdString();
            EXPECT_FALSE(name.isEmpty()) << what << " on " << where;
            if (name.isEmpty())
                continue;
            const auto [owner, fresh] = owners.emplace(name, input->objectName());
            EXPECT_TRUE(fresh) << '"' << name.toStdString() << "\" names both " << owner->second.toStdString()
                               << " and " << what << " on " << where;
        }
        for (QWidget* group : found.groups)
            EXPECT_FALSE(SpokenName(group).isEmpty()) << group->objectName().toStdString() << " on " << where;
    }
}

TEST_F(AccessibilityTest, TabWalksEachTabAsItIsLaidOut)
{
    for (QWidget* area : Areas()) {
        const std::string where = area->objectName().toStdString();
        Found found;
        Collect(area, found);
        std::set<QWidget*> stops;
        for (QWidget* input : found.inputs)
            if (TakesTab(input))
                stops.insert(input);

        // The area's stops in the order Tab reaches them, all of them, each once.
        std::vector<QWidget*> chain;
        for (QWidget* w = form->nextInFocusChain(); w != form.get(); w = w->nextInFocusChain())
            if (stops.count(w))
                chain.push_back(w);
        EXPECT_EQ(chain.size(), stops.size()) << where;

        for (std::size_t i = 1; i < chain.size(); ++i) {
            const auto [a, b] = SideBySide(chain[i - 1], chain[i]);
            EXPECT_FALSE(ReadBefore(b, a)) << where << ": Tab goes from " << chain[i - 1]->objectName().toStdString()
                                           << " back to " << chain[i]->objectName().toStdString();
        }
    }

    // The panel's last stop leads to the row of tabs.
    QWidget* next = Find<QWidget>("btInfo")->nextInFocusChain();
    while (!TakesTab(next))
        next = next->nextInFocusChain();
    EXPECT_TRUE(Find<QTabWidget>("PageControl")->isAncestorOf(next)) << next->objectName().toStdString();
}

// No input keeps Tab to itself (a text view would type it, a grid go on
// to its next cell): from each one shown, Tab goes on to another widget.
TEST_F(AccessibilityTest, TabGetsOutOfEveryInput)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    const auto leaveEach = [](QWidget* area) {
        Found found;
        Collect(area, found);
        for (QWidget* input : found.inputs) {
            if (!TakesTab(input) || !input->isVisible() || !input->isEnabled())
                continue;
            input->setFocus(Qt::TabFocusReason);
            QWidget* from = QApplication::focusWidget();
            ASSERT_TRUE(from == input || input->isAncestorOf(from)) << input->objectName().toStdString();
            Key(from, Qt::Key_Tab, QStringLiteral("\t"));
            QWidget* to = QApplication::focusWidget();
            EXPECT_TRUE(to && to != input && !input->isAncestorOf(to)) << "Tab stays in " << input->objectName().toStdString();
        }
    };
    for (QWidget* area : Areas()) {
        if (qobject_cast<TabHost*>(area))
            ShowTab(area->objectName().toLatin1().constData());
        leaveEach(area);
    }
    // The debug views show in their own modes.
    Find<QRadioButton>("rbDirectDebug")->click();
    leaveEach(Find<QWidget>("tsDirect"));
    auto* types = Find<QComboBox>("cbDirectDebugType");
    types->setCurrentIndex(1);
    emit types->activated(1);
    leaveEach(Find<QWidget>("tsDirect"));
}

}  // namespace
