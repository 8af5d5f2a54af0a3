# The interface's tests: QtTest programs, run offscreen, labelled "ui".
#
# Every <folder>/<Name>Test.cpp holds one QtTest class <Name>Test registered with
# TESSMARK_QTEST(<Name>Test); the folder's .cpp files make one program, and each class is its
# own CTest entry ("<program>.<Name>Test"), so they run in parallel and each in a fresh process.
# Folders: app/ (controls and helpers, no core), ui/ (the shell on the harness, and the
# screenshot program's checks), screens/<x>/ (one program per screen folder, on the harness),
# ui/screenshots/ (the screenshot program),
# smoke/ (the real program under Xvfb). app/threads/ is labelled "threads" and is the only
# interface code the ThreadSanitizer build compiles.
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Test)
if(NOT TESSMARK_THREADS_TESTS_ONLY)
    find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)
endif()

set(TESSMARK_QT_TEST_ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen" "TZ=UTC"
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/sanitizer/lsan.supp:print_suppressions=0")

# The registry and main() every QtTest program shares: with a QApplication, or with a
# QCoreApplication for the threaded tests, which need no widgets.
add_library(tessmark_qtest_core_main STATIC ${CMAKE_CURRENT_SOURCE_DIR}/ui/support/QtTestMain.cpp)
target_include_directories(tessmark_qtest_core_main PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tessmark_qtest_core_main PRIVATE TESSMARK_QTEST_CORE_APPLICATION)
target_link_libraries(tessmark_qtest_core_main PUBLIC Qt6::Test PRIVATE tessmark_options)
if(NOT TESSMARK_THREADS_TESTS_ONLY)
    add_library(tessmark_qtest_main STATIC ${CMAKE_CURRENT_SOURCE_DIR}/ui/support/QtTestMain.cpp)
    target_include_directories(tessmark_qtest_main PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(tessmark_qtest_main PUBLIC Qt6::Test Qt6::Widgets PRIVATE tessmark_options)
endif()

# tessmark_add_qt_test(<program> <label> <libraries> [CORE] SOURCES <files...>)
function(tessmark_add_qt_test name label libraries)
    cmake_parse_arguments(ARG "CORE" "" "SOURCES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    if(ARG_CORE)
        target_link_libraries(${name} PRIVATE ${libraries} tessmark_qtest_core_main tessmark_options)
    else()
        target_link_libraries(${name} PRIVATE ${libraries} tessmark_qtest_main tessmark_options)
    endif()
    foreach(source IN LISTS ARG_SOURCES)
        get_filename_component(class ${source} NAME_WE)
        if(NOT class MATCHES "Test$")
            continue()
        endif()
        add_test(NAME ${name}.${class} COMMAND ${name} ${class})
        set_tests_properties(${name}.${class} PROPERTIES
            LABELS ${label} TIMEOUT 120 ENVIRONMENT "${TESSMARK_QT_TEST_ENVIRONMENT}")
    endforeach()
endfunction()

file(GLOB app_threads CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/app/threads/*.cpp)
if(app_threads)
    tessmark_add_qt_test(app_threads_tests threads "tessmark_ui_dispatch;tessmark_test_support"
        CORE SOURCES ${app_threads})
    foreach(source IN LISTS app_threads)
        get_filename_component(class ${source} NAME_WE)
        if(class MATCHES "Test$")
            set_property(TEST app_threads_tests.${class} APPEND PROPERTY ENVIRONMENT
                "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${CMAKE_CURRENT_SOURCE_DIR}/sanitizer/tsan.supp")
        endif()
    endforeach()
endif()

if(TESSMARK_THREADS_TESTS_ONLY)
    return()
endif()

file(GLOB app_plain CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/app/*.cpp)
# The controls' tests click through the harness's UserInput too.
tessmark_add_qt_test(app_tests ui tessmark_ui_harness SOURCES ${app_plain})

# The harness of the shell's and the screens' tests (ui/support/): the real core on a temporary
# data folder, a fresh main window per test, the sent lines captured.
file(GLOB harness_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/support/*.cpp)
list(REMOVE_ITEM harness_sources ${CMAKE_CURRENT_SOURCE_DIR}/ui/support/QtTestMain.cpp)
add_library(tessmark_ui_harness STATIC ${harness_sources})
set_target_properties(tessmark_ui_harness PROPERTIES AUTOMOC ON)
target_include_directories(tessmark_ui_harness PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tessmark_ui_harness PUBLIC tessmark_ui tessmark_test_support Qt6::Test PRIVATE tessmark_options)

# The screenshot program's run of its scenes and checks, which ui/ tests too.
set(screenshot_runner_sources ${CMAKE_CURRENT_SOURCE_DIR}/ui/screenshots/Screenshots.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ui/screenshots/SheetPicture.cpp)
add_library(tessmark_screenshot_runner STATIC ${screenshot_runner_sources})
target_link_libraries(tessmark_screenshot_runner PUBLIC tessmark_ui_harness PRIVATE tessmark_options)

file(GLOB ui_plain CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp)
if(ui_plain)
    tessmark_add_qt_test(ui_tests ui tessmark_screenshot_runner SOURCES ${ui_plain})
endif()

# screens/<folder>/: one program per screen folder, on the same harness.
file(GLOB screen_folders LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/screens
    ${CMAKE_CURRENT_SOURCE_DIR}/screens/*)
foreach(folder IN LISTS screen_folders)
    file(GLOB screen_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/screens/${folder}/*.cpp)
    if(screen_sources)
        tessmark_add_qt_test(screens_${folder}_tests ui tessmark_ui_harness SOURCES ${screen_sources})
    endif()
endforeach()

# The screenshot program: its scenes in ui/screenshots/, each PNG written at scale 1 and 2.
file(GLOB screenshot_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/screenshots/*.cpp)
list(REMOVE_ITEM screenshot_sources ${screenshot_runner_sources})
add_executable(screenshots ${screenshot_sources})
set_target_properties(screenshots PROPERTIES AUTOMOC ON)
target_link_libraries(screenshots PRIVATE tessmark_screenshot_runner tessmark_options)
target_include_directories(screenshots PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
foreach(scale 1 2)
    set(suffix "")
    if(scale EQUAL 2)
        set(suffix "@2x")
    endif()
    add_test(NAME screenshots.scale${scale} COMMAND screenshots ${PROJECT_BINARY_DIR}/screenshots "${suffix}")
    set_tests_properties(screenshots.scale${scale} PROPERTIES LABELS ui TIMEOUT 120
        ENVIRONMENT "${TESSMARK_QT_TEST_ENVIRONMENT};QT_SCALE_FACTOR=${scale}")
endforeach()

# The real program under an X server: its window appears and closes cleanly.
find_program(TESSMARK_XVFB_RUN xvfb-run REQUIRED)
add_test(NAME smoke.window
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/smoke/run_smoke.sh $<TARGET_FILE:TessmarkDialer>)
# libxkbcommon-x11 copies keymap names with strndup from buffers that are not NUL-terminated;
# strict string checks would read past them, so this one test runs without them.
set_tests_properties(smoke.window PROPERTIES LABELS ui TIMEOUT 120
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/sanitizer/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1")
