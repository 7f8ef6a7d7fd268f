#pragma once
// The seat layout page of the settings hub: the hall canvas and its toolbar.
// The operator creates a grid of seats for the configured unit count, moves
// the seats to where the units are (edit mode), and chooses a picture of the
// hall to draw them over. The layout is written to System/seat.ini whenever
// it is created, rebuilt or put down after editing; the settings row tells
// whether one exists (SeatYesORNo) and names the picture (ico).

#include "speak/SeatLayout.h"
#include "ui/PageTexts.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class QScrollArea;
class SeatMap;

class Frmfound : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char* kCanvas = "150";
    static constexpr const char* kCreateButton = "1174";
    static constexpr const char* kUpdateButton = "1175";
    static constexpr const char* kEditButton = "1284";
    static constexpr const char* kPictureButton = "1283";
    static constexpr const char* kPerRowEdit = "1176";
    static constexpr const char* kColumnGapEdit = "1177";
    static constexpr const char* kRowGapEdit = "1178";

    explicit Frmfound(QWidget* parent = nullptr);

    static QString layoutFile();
    bool hasLayout() const { return m_hasLayout; }
    SeatMap* canvas() const { return m_map; }

    // Create (with its question) when there is no layout, delete (with its question) when there is.
    void createOrDelete();
    // Rebuilds the grid for the stored unit count, after asking.
    void updateSeats();
    void toggleEditing();
    void choosePicture();
    // The unit count was stored: a first layout is offered, an existing one rebuilt.
    void unitCountChanged();

signals:
    void layoutExistsChanged(bool exists);

private:
    void createLayout();
    void rebuildGrid();
    SeatGrid gridParameters() const;
    void saveLayout();
    void showHasLayout(bool has);
    int storedUnitCount() const;

    PageTexts m_texts;
    SeatMap* m_map;
    QScrollArea* m_scroll;
    QPushButton* m_create;
    QPushButton* m_update;
    QPushButton* m_edit;
    QPushButton* m_picture;
    QLineEdit* m_perRow;
    QLineEdit* m_columnGap;
    QLineEdit* m_rowGap;
    bool m_hasLayout = false;
};
