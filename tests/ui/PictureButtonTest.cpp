// Picture buttons, the window picture behind them, and the compiled-in artwork.

#include "ui/PictureButton.h"
#include "ui/BackgroundPicture.h"
#include "ui/ProgramEnd.h"
#include "ui/Skin.h"

#include <QEnterEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A window that paints its picture and holds a button inside a nested panel.
class PictureWindow : public QWidget
{
public:
    explicit PictureWindow(const QString& file)
    {
        picture.setFile(file);
        resize(300, 200);
        panel = new QWidget(this);
        panel->setGeometry(40, 30, 200, 150);
        button = new PictureButton(panel);
        button->setGeometry(60, 20, 80, 40);
        button->setBackdrop(&picture);
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        picture.paint(painter, size());
    }

    BackgroundPicture picture;
    QWidget* panel = nullptr;
    PictureButton* button = nullptr;
};

// A picture whose every pixel tells where it is: red = x, green = y.
QString writeCoordinatePicture(const QTemporaryDir& dir)
{
    QImage image(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, QColor(x % 256, y, 128));
    const QString path = dir.filePath("picture.png");
    image.save(path);
    return path;
}

bool sameImage(const QPixmap& a, const QPixmap& b)
{
    return a.toImage().convertToFormat(QImage::Format_ARGB32) ==
           b.toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(Skin, EveryFaceIsCompiledInAndTheStatesDiffer)
{
    for (Skin::FaceKind kind : {Skin::FaceKind::Tile, Skin::FaceKind::Push, Skin::FaceKind::PushLight}) {
        const Skin::Faces faces = Skin::faces(kind, QSize(120, 40));
        const QList<QPixmap> all{faces.normal, faces.hover, faces.pressed, faces.disabled};
        for (const QPixmap& face : all) {
            ASSERT_FALSE(face.isNull()) << int(kind);
            EXPECT_EQ(face.size(), QSize(120, 40));
            // The middle of a face is painted, not transparent.
            EXPECT_EQ(face.toImage().pixelColor(60, 20).alpha(), 255) << int(kind);
        }
        for (int i = 0; i < all.size(); ++i)
            for (int j = i + 1; j < all.size(); ++j)
                EXPECT_FALSE(sameImage(all[i], all[j]))
                    << "kind " << int(kind) << " states " << i << " and " << j;
    }
    EXPECT_FALSE(Skin::programIcon().isNull());
    EXPECT_FALSE(Skin::picture("linecheck-backdrop", QSize(1024, 741)).isNull());
    EXPECT_TRUE(Skin::picture("no-such-picture", QSize(10, 10)).isNull());
}

TEST(Skin, IconsTakeTheAskedColour)
{
    for (const char* name : {"settings", "linecheck", "preparation", "meeting", "after", "exit", "help"}) {
        const QImage icon = Skin::icon(name, 48, QColor(200, 40, 10)).toImage();
        ASSERT_FALSE(icon.isNull()) << name;
        int drawn = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x) {
                const QColor pixel = icon.pixelColor(x, y);
                if (pixel.alpha() < 250)
                    continue;
                ++drawn;
                EXPECT_EQ(pixel.rgb(), QColor(200, 40, 10).rgb()) << name << " at " << x << "," << y;
            }
        EXPECT_GT(drawn, 40) << name << " draws some lines";
    }
    EXPECT_TRUE(Skin::icon("unknown", 48, Qt::white).isNull());
}

TEST(PictureButton, FaceFollowsTheState)
{
    PictureButton button;
    const Skin::Faces faces = Skin::faces(Skin::FaceKind::Push, QSize(100, 36));
    button.setFaces(faces);
    button.resize(100, 36);
    button.show();
    EXPECT_EQ(button.currentFace(), PictureButton::Face::Normal);
    auto middle = [&] { return button.grab().toImage().pixelColor(50, 4); };
    EXPECT_EQ(middle(), faces.normal.toImage().pixelColor(50, 4));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&button, &enter);
    EXPECT_EQ(button.currentFace(), PictureButton::Face::Hover);
    EXPECT_EQ(middle(), faces.hover.toImage().pixelColor(50, 4));

    button.setDown(true);
    EXPECT_EQ(button.currentFace(), PictureButton::Face::Pressed);
    EXPECT_EQ(middle(), faces.pressed.toImage().pixelColor(50, 4));
    button.setDown(false);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    EXPECT_EQ(button.currentFace(), PictureButton::Face::Normal);

    button.setEnabled(false);
    EXPECT_EQ(button.currentFace(), PictureButton::Face::Disabled);
    EXPECT_EQ(middle(), faces.disabled.toImage().pixelColor(50, 4));
}

TEST(PictureButton, CaptionIsTheAccessibleNameAndClicksArrive)
{
    PictureButton button;
    button.setFaces(Skin::faces(Skin::FaceKind::Push, QSize(100, 36)));
    button.resize(100, 36);
    button.setCaption("Start");
    EXPECT_EQ(button.caption(), "Start");
    EXPECT_EQ(button.accessibleName(), "Start");
    button.setCaption("Stop");
    EXPECT_EQ(button.accessibleName(), "Stop");

    int clicks = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&] { ++clicks; });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(&button, Qt::Key_Return);
    EXPECT_EQ(clicks, 2) << "Enter clicks a focused button";
    button.setClicksOnEnter(false);
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Enter);
    EXPECT_EQ(clicks, 2) << "unless its window swallows Enter";
    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2) << "a disabled button does not act";
}

TEST(PictureButton, BackgroundIsThePieceOfTheWindowPictureBehindIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PictureWindow window(writeCoordinatePicture(dir));
    window.show();
    // No faces: what shows is the backdrop alone. The button sits at (40+60, 30+20) in the window.
    const QImage drawn = window.button->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(0, 0), QColor(100, 50, 128));
    EXPECT_EQ(drawn.pixelColor(79, 39), QColor(179, 89, 128));

    window.button->move(0, 0);
    EXPECT_EQ(window.button->grab().toImage().pixelColor(5, 7), QColor(45, 37, 128));
}

TEST(BackgroundPicture, MissingFileDrawsNothing)
{
    BackgroundPicture picture;
    picture.setFile("/nonexistent/picture.png");
    EXPECT_TRUE(picture.pixmap().isNull());
    QImage canvas(20, 20, QImage::Format_RGB32);
    canvas.fill(Qt::green);
    QPainter painter(&canvas);
    picture.paint(painter, QSize(20, 20));
    painter.end();
    EXPECT_EQ(canvas.pixelColor(10, 10), QColor(Qt::green));
}

TEST(BackgroundPicture, PaintsFromTheTopLeftAndNoMoreThanAsked)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    BackgroundPicture picture;
    picture.setFile(writeCoordinatePicture(dir));
    QImage canvas(400, 300, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    picture.paint(painter, QSize(100, 80));
    painter.end();
    EXPECT_EQ(canvas.pixelColor(0, 0), QColor(0, 0, 128));
    EXPECT_EQ(canvas.pixelColor(99, 79), QColor(99, 79, 128));
    EXPECT_EQ(canvas.pixelColor(100, 10), QColor(Qt::black));
    EXPECT_EQ(canvas.pixelColor(10, 80), QColor(Qt::black));
}

TEST(ProgramEnd, HookReceivesTheCode)
{
    QList<int> codes;
    ProgramEnd::setHook([&](int code) { codes.append(code); });
    ProgramEnd::now(3);
    ProgramEnd::now();
    ProgramEnd::setHook({});
    EXPECT_EQ(codes, (QList<int>{3, 0}));
}

} // namespace
