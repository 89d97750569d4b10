#include "app/tmain.h"

#include "app/app_texts.h"
#include "app/window_table.h"
#include "catalogue/catalogue.h"
#include "catalogue/node_codes.h"
#include "resources/picture_list.h"
#include "ui/qt/errorreport.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/qtext.h"
#include "ui/window_texts.h"
#include "model/text.h"
#include "editor/record_editor.h"
#include "resources/qt_resource_source.h"
#include "ui/qt/treeview.h"
#include "ui/qt/valueedit.h"

#include <QFrame>
#include <QHash>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace z7 {

namespace {

const QColor Maroon(128, 0, 0);

QLabel *picture(QWidget *parent, const QString &name, QRect geometry, const QString &description)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(description);
    label->setGeometry(geometry);
    return label;
}

QFrame *line(QWidget *parent, const QString &name, QRect geometry)
{
    auto *shape = new QFrame(parent);
    shape->setObjectName(name);
    shape->setAccessibleName(toQString(app_texts::Separator));
    shape->setGeometry(geometry);
    shape->setAutoFillBackground(true);
    QPalette pal = shape->palette();
    pal.setColor(QPalette::Window, Maroon);
    shape->setPalette(pal);
    return shape;
}

// The question of the whole reset, with what another program did to the model
// file in front of it.
QString resetModelQuestion(ModelFileState file)
{
    switch (file) {
    case ModelFileState::Changed:
        return toQString(
            Format(app_texts::ResetChangedModelQuestion, {app_texts::ResetModelQuestion}));
    case ModelFileState::Missing:
        return toQString(
            Format(app_texts::ResetMissingModelQuestion, {app_texts::ResetModelQuestion}));
    case ModelFileState::AsLastSeen:
        break;
    }
    return toQString(app_texts::ResetModelQuestion);
}

QWidget *panel(QWidget *parent, const QString &name, QRect geometry, const QString &description)
{
    auto *p = new QWidget(parent);
    p->setObjectName(name);
    p->setGeometry(geometry);
    p->setAutoFillBackground(true);
    p->setAccessibleName(description);
    return p;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption, QRect geometry)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    b->setGeometry(geometry);
    b->setAutoDefault(true);
    return b;
}

// The header pictures are decoded when a node first shows one: most runs
// look at a handful of entries, and decoding them all would slow the start.
Navigator::PictureList pictureList()
{
    return {BuildingPictureCount, [](int index) {
                return QImage(QStringLiteral(":/images/buildings/%1.png").arg(index, 3, 10, QLatin1Char('0')));
            }};
}

} // namespace

TMain::TMain(Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_store(platform, ProgramResources())
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(toQString(app_texts::WindowCaption));
    setFixedSize(ClientWidth, ClientHeight);
    QFont windowFont(toQString(app_texts::WindowFontFamily));
    windowFont.setPointSize(10);
    setFont(windowFont);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 256})
        icon.addFile(QStringLiteral(":/images/icon/%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);

    createControls();

    m_editor = std::make_unique<RecordEditor>(
        m_store, RecordEditor::Controls{this, m_panel1, m_panel2, m_noSelectImage},
        QPixmap(QStringLiteral(":/images/marker.png")));
    m_navigator = std::make_unique<Navigator>(
        Navigator::Controls{this, m_tree, m_buildingImage, m_objektnameLabel, m_speichern,
                            m_singleElementReset},
        static_cast<EntryView &>(*this), pictureList());

    // Keyboard order of the window; each panel's edits come at the panel's place.
    QList<QWidget *> order{m_beenden, m_tree};
    for (int i : Panel2TabOrder)
        order << m_editor->row(i).edit;
    order << m_speichern << m_completeReset << m_singleElementReset;
    for (int i : Panel1TabOrder)
        order << m_editor->row(i).edit;
    for (qsizetype k = 1; k < order.size(); ++k)
        QWidget::setTabOrder(order.at(k - 1), order.at(k));
    m_beenden->setFocus(Qt::OtherFocusReason);

    const QRect desktop = QGuiApplication::primaryScreen()
                              ? QGuiApplication::primaryScreen()->availableGeometry()
                              : QRect(0, 0, ClientWidth, ClientHeight);
    move(desktop.center() - QPoint(ClientWidth / 2, ClientHeight / 2));
}

TMain::~TMain() = default;

void TMain::createControls()
{
    QHash<QString, QWidget *> created;
    for (const ControlDef &d : MainWindowControls) {
        QWidget *parent = d.parent ? created.value(toQString(d.parent)) : this;
        const QString name = toQString(d.name);
        const QRect geometry = toQRect(d.rect);
        const QString description = toQString(d.description);
        QWidget *control = nullptr;
        switch (d.kind) {
        case ControlKind::Picture: {
            QLabel *label = picture(parent, name, geometry, description);
            if (d.look & Centred)
                label->setAlignment(Qt::AlignCenter);
            if (d.look & Stretched)
                label->setScaledContents(true);
            label->setPixmap(QPixmap(u":/images/" + toQString(d.picture) + u".png"));
            control = label;
            break;
        }
        case ControlKind::Line:
            control = line(parent, name, geometry);
            break;
        case ControlKind::Label: {
            auto *label = new QLabel(toQString(d.caption), parent);
            label->setObjectName(name);
            label->setAccessibleName(description);
            label->setGeometry(geometry);
            label->setAlignment((d.look & LeftAligned) ? Qt::AlignLeft | Qt::AlignVCenter
                                                       : Qt::AlignCenter);
            control = label;
            break;
        }
        case ControlKind::Panel: {
            QWidget *p = panel(parent, name, geometry, description);
            if (d.look & WhiteBackground) {
                QPalette white = p->palette();
                white.setColor(QPalette::Window, Qt::white);
                p->setPalette(white);
            }
            control = p;
            break;
        }
        case ControlKind::Button:
            control = button(parent, name, toQString(d.caption), geometry);
            break;
        case ControlKind::Tree: {
            auto *tree = new TreeView(parent);
            tree->setObjectName(name);
            tree->setAccessibleName(description);
            tree->setGeometry(geometry);
            tree->setItemTextColourHook(ModellTreeCustomDrawItem);
            control = tree;
            break;
        }
        case ControlKind::Edit:
        case ControlKind::UpDown:
        case ControlKind::Toggle:
            continue;
        }
        control->setEnabled(d.enabled);
        if (!d.visible)
            control->hide();
        created.insert(name, control);
    }

    auto find = [&](const char16_t *name) { return created.value(QString::fromUtf16(name)); };
    m_noSelectImage = static_cast<QLabel *>(find(u"NoSelectImage"));
    m_shape1 = static_cast<QFrame *>(find(u"Shape1"));
    m_shape2 = static_cast<QFrame *>(find(u"Shape2"));
    m_imprintLabel = static_cast<QLabel *>(find(u"ImprintLabel"));
    m_panel1 = find(u"Panel1");
    m_panel2 = find(u"Panel2");
    m_panel3 = find(u"Panel3");
    m_z7MainImage = static_cast<QLabel *>(find(u"Z7MainImage"));
    m_objektnameLabel = static_cast<QLabel *>(find(u"ObjektnameLabel"));
    m_buildingImage = static_cast<QLabel *>(find(u"BuildingImage"));
    m_beenden = static_cast<QPushButton *>(find(u"Beenden"));
    m_tree = static_cast<TreeView *>(find(u"ModellTree"));
    m_speichern = static_cast<QPushButton *>(find(u"Speichern"));
    m_completeReset = static_cast<QPushButton *>(find(u"CompleteReset"));
    m_singleElementReset = static_cast<QPushButton *>(find(u"SingleElementReset"));

    connect(m_beenden, &QPushButton::clicked, this, [this] { Guarded([&] { BeendenClick(); }); });
    connect(m_speichern, &QPushButton::clicked, this, [this] { Guarded([&] { SpeichernClick(); }); });
    connect(m_completeReset, &QPushButton::clicked, this,
            [this] { Guarded([&] { CompleteResetClick(); }); });
    connect(m_singleElementReset, &QPushButton::clicked, this,
            [this] { Guarded([&] { SingleElementResetClick(); }); });
}

void TMain::SpeichernClick()
{
    QTreeWidgetItem *node = m_tree->currentItem();
    if (node && SaveActsOn(TreeView::selectCode(node)))
        m_editor->StoreEntry(node->text(0), TreeView::selectCode(node));
}

void TMain::SingleElementResetClick()
{
    if (QTreeWidgetItem *node = m_tree->currentItem())
        m_editor->ResetEntry(node->text(0), TreeView::selectCode(node));
}

void TMain::CompleteResetClick()
{
    ResetModel();
}

void TMain::ResetModel()
{
    // A file that another program changed or removed is named in the question;
    // should that happen while the question is open, the question comes again.
    ModelFileState asked = m_store.CheckModelFile();
    for (;;) {
        const int answer = ShowMessage(this, resetModelQuestion(asked),
                                       toQString(window_texts::QuestionTitle),
                                       MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
        if (answer == IDCANCEL)
            return;
        const ModelFileState now = m_store.CheckModelFile();
        if (now == ModelFileState::AsLastSeen || now == asked)
            break;
        asked = now;
    }
    m_store.ResetWholeModel();
    BuildCatalogue(m_tree);
    m_panel1->hide();
    m_panel2->hide();
    m_noSelectImage->show();
    m_objektnameLabel->clear();
    // No node is selected any more: nothing is left to store or reset.
    m_editor->setDirty(false);
    m_speichern->setEnabled(false);
    m_singleElementReset->setEnabled(false);
    m_singleElementReset->hide();
}

void TMain::BeendenClick()
{
    close();
}

bool TMain::isDirty() const
{
    return m_editor->IsDirty();
}

void TMain::setDirty(bool dirty)
{
    m_editor->setDirty(dirty);
}

bool TMain::storeEntry(const QString &caption, int code)
{
    return m_editor->StoreEntry(caption, code);
}

RecordKind TMain::showEntry(const QString &caption, int code)
{
    return m_editor->ShowEntry(caption, code);
}

void TMain::showNoSelection()
{
    m_editor->ShowNoSelection();
}

} // namespace z7
