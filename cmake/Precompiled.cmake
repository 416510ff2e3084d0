# Precompiled headers. Parsing Qt's and GoogleTest's headers is most of the compile time of a
# window or test source: each target that includes them in most of its sources parses them once.
# Sources still include what they use (scripts/lint compiles every source without them), so the
# lists below are only what is common, never something a source leaves out.
option(CLEATWORK_PCH "Precompile the headers most sources include" ON)

set(CLEATWORK_PCH_STD <algorithm> <array> <cstdint> <memory> <string> <utility> <vector>)
set(CLEATWORK_PCH_QT ${CLEATWORK_PCH_STD} <QCoreApplication> <QDir> <QEvent> <QFileInfo>
    <QObject> <QString> <QStringList>)
set(CLEATWORK_PCH_WIDGETS ${CLEATWORK_PCH_QT} <QAction> <QGroupBox> <QLabel> <QLineEdit>
    <QMenu> <QPushButton> <QVBoxLayout> <QWidget>)
set(CLEATWORK_PCH_TESTS ${CLEATWORK_PCH_STD} <filesystem> <gtest/gtest.h>)
set(CLEATWORK_PCH_WINDOW_TESTS ${CLEATWORK_PCH_TESTS} ${CLEATWORK_PCH_WIDGETS} <QApplication>
    <QTest>)

# cleatwork_precompile(TARGET HEADER...): TARGET's sources are compiled with HEADERs parsed once.
function(cleatwork_precompile target)
    if(CLEATWORK_PCH)
        target_precompile_headers(${target} PRIVATE ${ARGN})
    endif()
endfunction()
