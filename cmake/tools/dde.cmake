# The interface other programs drive over the session bus, the on-top viewer
# and its client, clipboard capture, and the new-version check.
if(LECTORA_GUI)
  target_sources(lectora_gui PRIVATE
    src/tools/dde/DdeServerItems.h
    src/tools/dde/OnTopLink.h
    src/tools/dde/OnTopClient.cpp
    src/tools/dde/DdeServer.cpp
    src/tools/clipboard/ClipboardCapture.cpp
    src/tools/version/HttpHead.cpp
    src/tools/version/CheckForNewVersion.cpp
    src/tools/version/VersionCheck.cpp)

  # floatpane, the on-top viewer, beside the program in the runtime folder.
  qt_add_dbus_adaptor(LECTORA_FLOATPANE_ADAPTOR
    apps/floatpane/org.darsel.Floatpane.DdeServerConv1.xml
    FloatpaneWindow.h lectora::TFloatpaneWindow floatpaneadaptor TFloatpaneAdaptor)
  add_executable(floatpane apps/floatpane/main.cpp apps/floatpane/FloatpaneWindow.cpp
    ${LECTORA_FLOATPANE_ADAPTOR})
  set_target_properties(floatpane PROPERTIES AUTOMOC ON
    RUNTIME_OUTPUT_DIRECTORY ${LECTORA_RUNTIME_DIR})
  target_include_directories(floatpane PRIVATE ${CMAKE_SOURCE_DIR}/apps/floatpane
    ${CMAKE_CURRENT_BINARY_DIR})
  target_link_libraries(floatpane PRIVATE lectora_store Qt6::Widgets Qt6::DBus)
  target_compile_definitions(floatpane PRIVATE QT_NO_KEYWORDS QT_DISABLE_DEPRECATED_UP_TO=0x060400)

  target_sources(gui_tests PRIVATE
    apps/floatpane/FloatpaneWindow.cpp
    tests/gui/DdeTestSupport.cpp
    tests/gui/DdeServerTest.cpp
    tests/gui/OnTopClientTest.cpp
    tests/gui/FloatpaneWindowTest.cpp
    tests/gui/ClipboardCaptureTest.cpp
    tests/gui/VersionCheckTest.cpp)
  target_include_directories(gui_tests PRIVATE ${CMAKE_SOURCE_DIR}/apps/floatpane)
  add_dependencies(gui_tests floatpane)
  target_compile_definitions(gui_tests PRIVATE
    LECTORA_FLOATPANE_PATH="$<TARGET_FILE:floatpane>")
  # The cases of the bus interface and the viewer on a private session bus
  # (the plain run leaves them out); a case that skips there fails the test.
  add_test(NAME gui_tests_dde
    COMMAND dbus-run-session -- $<TARGET_FILE:gui_tests> --gtest_filter=DdeDBus*)
  # libdbus keeps its connection data to the end, which LeakSanitizer reports.
  set_tests_properties(gui_tests_dde PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan-system.supp"
    FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
endif()

if(LECTORA_GUI AND LECTORA_BENCHMARKS)
  add_executable(dde_bench bench/dde_bench.cpp bench/GuiBench.cpp)
  set_target_properties(dde_bench PROPERTIES AUTOMOC ON)
  target_link_libraries(dde_bench PRIVATE lectora_gui benchmark::benchmark)
  target_compile_definitions(dde_bench PRIVATE LECTORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
