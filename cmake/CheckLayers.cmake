# Stops the build when an include climbs a layer:
#   cmake -DROOT=. [-DWIDGETS_DIR=<Qt's QtWidgets include folder>] -P CheckLayers.cmake
# Each folder may include itself and the folders it lists; core and imaging never include Qt,
# the editor and desktop layers never Qt Widgets (any header of WIDGETS_DIR, or QtWidgets/...).
# Core headers are spelled from src/core ("boots/Baza.h"), the rest from src ("editor/...").
# The tests, benchmarks, fuzz targets and tools are held to the layer they exercise: tests/X
# as src/X, the others file by file below; a helper they include by its bare name ("TestData.h")
# must not sit above them either.
cmake_policy(VERSION 3.25)
set(core common container boots exchange archive language pack)
set(imaging imaging/pictures imaging/dds imaging/textures)
set(below_editor ${core} ${imaging})
set(below_desktop ${below_editor} editor)
set(below_app ${below_desktop} desktop)

set(allowed_core/common "")
set(allowed_core/container common)
set(allowed_core/boots common language)
set(allowed_core/exchange common boots language)
set(allowed_core/archive common container)
set(allowed_core/language common)
set(allowed_core/pack common boots exchange archive container)
set(allowed_imaging/pictures ${core})
set(allowed_imaging/dds ${core} imaging/pictures)
set(allowed_imaging/textures ${core} imaging/pictures imaging/dds)
set(allowed_editor ${below_editor})
set(allowed_desktop ${below_desktop})
set(allowed_app/access ${below_app})
set(allowed_app/ui ${below_app} app/access)
set(allowed_app/panels ${below_app} app/access app/ui)
set(allowed_app/docks ${below_app} app/access app/ui)
set(allowed_app/windows ${below_app} app/access app/ui)
set(allowed_app ${below_app} app/access app/ui app/panels app/docks app/windows)
set(allowed_cli ${core} ${imaging})
# Whole layers, for the files outside src that use several of their folders.
set(allowed_core ${core})
set(allowed_imaging ${core} ${imaging})

# The layers each layer stands on, for the helpers included by bare name.
set(reach_core core)
set(reach_imaging core imaging)
set(reach_editor ${reach_imaging} editor)
set(reach_desktop ${reach_editor} desktop)
set(reach_app ${reach_desktop} app)
set(reach_cli ${reach_imaging} cli)
set(qt_free core imaging cli)
set(widgets_free editor desktop)

# The files outside src and tests/<layer>, by the layer they exercise (a name covers its .h
# and .cpp). A new one fails the check until it is listed here.
set(fuzz_layer imaging)
set(file_layers
    tests/support/CaseName core      tests/support/ChildProcess core
    tests/support/PlatformFiles core tests/support/GuiTestMain app
    tests/support/MainWindowFixture app tests/support/MessagePresser app
    tests/support/ModalAnswerer app
    tools/testdata/TempDir core      tools/testdata/TestData core
    tools/testdata/TestImages core   tools/testdata/TestZip core
    tools/make_sample core
    tools/screenshot app
    bench/BenchData core             bench/ContainerBench core
    bench/TableBench core            bench/PackBench imaging
    bench/PictureBench imaging       bench/MFreeImage imaging
    bench/TextureBench imaging       bench/TextureSetBench imaging
    bench/PreviewBench editor        bench/TextureEditBench editor
    bench/BootsTableBench editor     bench/StartupBench app
    bench/ViewerBench app)
while(file_layers)
    list(POP_FRONT file_layers name layer)
    set(layer_of_${name} ${layer})
endwhile()
# Where a bare name that is not beside its includer is found.
set(helper_folders tests/support tools/testdata)

get_filename_component(ROOT ${ROOT} ABSOLUTE)
if(WIDGETS_DIR)
    file(GLOB widgets_headers RELATIVE ${WIDGETS_DIR} ${WIDGETS_DIR}/*)
endif()

# The layer (a folder of src, or a whole layer) whose rules `file` (from ROOT) keeps, or "".
function(layer_of file out)
    get_filename_component(folder ${file} DIRECTORY)
    get_filename_component(stem ${file} NAME_WE)
    set(layer "")
    string(REGEX REPLACE "^(src|tests)/" "" mirrored "${folder}")
    if(NOT mirrored STREQUAL folder AND DEFINED allowed_${mirrored}
       AND NOT mirrored MATCHES "^(core|imaging)$")
        set(layer ${mirrored})
    elseif(folder STREQUAL "fuzz")
        set(layer ${fuzz_layer})
    elseif(DEFINED layer_of_${folder}/${stem})
        set(layer ${layer_of_${folder}/${stem}})
    endif()
    set(${out} ${layer} PARENT_SCOPE)
endfunction()

set(sources "")
foreach(tree src tests bench fuzz tools)
    file(GLOB_RECURSE found RELATIVE ${ROOT} ${ROOT}/${tree}/*.h ${ROOT}/${tree}/*.cpp)
    list(APPEND sources ${found})
endforeach()
set(problems "")
foreach(source IN LISTS sources)
    layer_of(${source} folder)
    if(NOT folder)
        string(APPEND problems "\n  ${source}: its folder is in no layer")
        continue()
    endif()
    get_filename_component(here ${source} DIRECTORY)
    string(REGEX MATCH "^[^/]+" top ${folder})
    file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*" "" line "${line}")
        set(header "")
        if(line MATCHES "^<([^>]+)>")
            set(header ${CMAKE_MATCH_1})
        endif()
        if(header MATCHES "^Q[A-Za-z]" AND top IN_LIST qt_free)
            string(APPEND problems "\n  ${source}: ${header} is Qt")
        elseif(header AND top IN_LIST widgets_free
               AND (header MATCHES "^QtWidgets(/|$)" OR header IN_LIST widgets_headers))
            string(APPEND problems "\n  ${source}: ${header} is Qt Widgets")
        elseif(line MATCHES "^\"([^\"]+)/[^/\"]+\"")
            set(target ${CMAKE_MATCH_1})
            if(NOT target STREQUAL folder AND NOT target IN_LIST allowed_${folder}
               AND NOT "core/${target}" STREQUAL folder)
                string(APPEND problems "\n  ${source}: includes ${target}, above its layer")
            endif()
        elseif(line MATCHES "^\"([^\"/]+)\"")
            set(name ${CMAKE_MATCH_1})
            set(helper "")
            foreach(place ${here} ${helper_folders})
                if(EXISTS ${ROOT}/${place}/${name})
                    set(helper ${place}/${name})
                    break()
                endif()
            endforeach()
            if(helper)
                layer_of(${helper} layer)
                string(REGEX MATCH "^[^/]+" helper_top "${layer}")
                if(NOT helper_top IN_LIST reach_${top})
                    string(APPEND problems "\n  ${source}: includes ${helper}, above its layer")
                endif()
            endif()
        endif()
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "Includes that climb a layer:${problems}")
endif()
