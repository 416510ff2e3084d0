# The layer check (cmake/CheckLayers.cmake) over small trees of its own: a clean one passes, and
# each planted include is refused with its message.
#   cmake -DCHECK=cmake/CheckLayers.cmake -DWORK=FOLDER -P CheckLayersTest.cmake
cmake_policy(VERSION 3.25)

# The clean tree: every kind of folder the check knows, each including what it may.
set(clean
    src/core/common/Reasons.h     "#pragma once"
    src/core/boots/Baza.h         [=[#include "common/Reasons.h"]=]
    src/editor/Doc.h              [=[#include "boots/Baza.h"
#include <QString>]=]
    src/app/Win.h                 [=[#include "editor/Doc.h"
#include <QDialog>]=]
    tests/support/MainWindowFixture.h [=[#include "app/Win.h"]=]
    tools/testdata/TestData.h     [=[#include "boots/Baza.h"]=]
    tests/core/boots/BazaTest.cpp [=[  #include "TestData.h"
#include "boots/Baza.h"]=]
    tests/app/WinTest.cpp         [=[#include "MainWindowFixture.h"]=]
    bench/PackBench.cpp           [=[#include "TestData.h"]=]
    fuzz/fuzz_baza.cpp            [=[#include "boots/Baza.h"]=]
    tools/screenshot.cpp          [=[#include "app/Win.h"]=]
    QtWidgets/QDialog             "#pragma once"
    QtWidgets/QWidget             "#pragma once"
    QtWidgets/qwidget.h           "#pragma once")

# Each planted file, what it holds, and the message that refuses it.
set(planted
    "widgets in the editor layer"
        src/editor/Bad.h [=[#include <QWidget>]=] "src/editor/Bad.h: QWidget is Qt Widgets"
    "a QtWidgets path in the desktop layer"
        src/desktop/Bad.cpp [=[#include <QtWidgets/QDialog>]=]
        "src/desktop/Bad.cpp: QtWidgets/QDialog is Qt Widgets"
    "a lower-case widgets header in an editor test"
        tests/editor/BadTest.cpp [=[#include <qwidget.h>]=]
        "tests/editor/BadTest.cpp: qwidget.h is Qt Widgets"
    "Qt in the core"
        src/core/common/Bad.cpp [=[#include <QString>]=] "src/core/common/Bad.cpp: QString is Qt"
    "an indented include that climbs"
        src/core/boots/Bad.cpp [=[  #  include "editor/Doc.h"]=]
        "src/core/boots/Bad.cpp: includes editor, above its layer"
    "a core test that climbs"
        tests/core/boots/BadTest.cpp [=[#include "editor/Doc.h"]=]
        "tests/core/boots/BadTest.cpp: includes editor, above its layer"
    "a window fixture in a desktop test"
        tests/desktop/BadTest.cpp [=[	#include "MainWindowFixture.h"]=]
        "tests/desktop/BadTest.cpp: includes tests/support/MainWindowFixture.h, above its layer"
    "Qt in a fuzz target"
        fuzz/fuzz_bad.cpp [=[#include <QImage>]=] "fuzz/fuzz_bad.cpp: QImage is Qt"
    "a core tool that climbs"
        tools/make_sample.cpp [=[#include "app/Win.h"]=]
        "tools/make_sample.cpp: includes app, above its layer"
    "a benchmark in no layer"
        bench/NewBench.cpp "#pragma once" "bench/NewBench.cpp: its folder is in no layer"
    "a source folder in no layer"
        src/gadgets/Thing.cpp "#pragma once" "src/gadgets/Thing.cpp: its folder is in no layer")

# (Every file holds a line: CMake lists drop empty elements.)
# Writes the clean tree, with `file` holding `text` when given, and runs the check on it.
function(check_tree file text result_var output_var)
    file(REMOVE_RECURSE ${WORK})
    set(files ${clean})
    if(file)
        list(APPEND files ${file} "${text}")
    endif()
    while(files)
        list(POP_FRONT files name content)
        file(WRITE ${WORK}/${name} "${content}\n")
    endwhile()
    execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -DWIDGETS_DIR=${WORK}/QtWidgets
                            -P ${CHECK}
                    RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE output)
    set(${result_var} ${result} PARENT_SCOPE)
    set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

set(failures "")
check_tree("" "" result output)
if(NOT result EQUAL 0)
    string(APPEND failures "\nthe clean tree was refused:\n${output}")
endif()
while(planted)
    list(POP_FRONT planted case file text message)
    check_tree(${file} "${text}" result output)
    string(REGEX REPLACE "[ \n]+" " " output "${output}")
    string(FIND "${output}" "${message}" at)
    if(result EQUAL 0 OR at EQUAL -1)
        string(APPEND failures "\n${case}: expected \"${message}\", got:\n${output}")
    endif()
endwhile()
file(REMOVE_RECURSE ${WORK})
if(failures)
    message(FATAL_ERROR "The layer check let through or misnamed:${failures}")
endif()
