# Precompiled headers: the Qt, standard and GoogleTest headers nearly every file includes are
# compiled once per kind of target and reused by every target of that kind.
#
# A header is reused only under the flags and the macros it was compiled with, so each kind has
# a small holder target that links no more than every user of that kind links: Qt Core for the
# logic libraries, Qt Widgets for the page libraries, GoogleTest with Qt Core or with Qt Widgets
# for the tests. QtTest's headers stay out: they read QT_TESTCASE_BUILDDIR, which differs for
# every test folder. (CMake adds -Winvalid-pch, so a header that cannot be used is reported.)
option(CONSOLE_PCH "Precompile the widely used headers" ON)

set(console_pch_logic
    <algorithm> <functional> <memory> <optional>
    <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QMap> <QObject>
    <QRegularExpression> <QSet> <QString> <QStringList> <QTimer> <QVariant>)
set(console_pch_pages ${console_pch_logic}
    <QColor> <QFont> <QImage> <QKeyEvent> <QPainter> <QPixmap>
    <QApplication> <QCheckBox> <QComboBox> <QDialog> <QGroupBox> <QHeaderView> <QLabel>
    <QLineEdit> <QPushButton> <QTableWidget> <QVBoxLayout> <QWidget>)
set(console_pch_test_core ${console_pch_logic} <QProcess> <QTemporaryDir> <gtest/gtest.h>)
set(console_pch_test_gui ${console_pch_pages} <QProcess> <QTemporaryDir> <gtest/gtest.h>)

if(CONSOLE_PCH)
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/pch/holder.cpp CONTENT "")
endif()

# console_pch_holder(<kind> <libraries the kind's users all link>...)
function(console_pch_holder kind)
    if(NOT CONSOLE_PCH)
        return()
    endif()
    add_library(pch_${kind} OBJECT ${CMAKE_BINARY_DIR}/pch/holder.cpp)
    target_link_libraries(pch_${kind} PRIVATE ${ARGN})
    target_precompile_headers(pch_${kind} PRIVATE ${console_pch_${kind}})
    set_target_properties(pch_${kind} PROPERTIES AUTOMOC OFF AUTORCC OFF)
endfunction()

# console_use_pch(<kind> <target>...)
function(console_use_pch kind)
    if(NOT CONSOLE_PCH)
        return()
    endif()
    foreach(target IN LISTS ARGN)
        target_precompile_headers(${target} REUSE_FROM pch_${kind})
    endforeach()
endfunction()
