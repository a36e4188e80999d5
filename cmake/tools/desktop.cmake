# Life on the reader's desktop: the desktop's or the reader's light or dark
# palette with legible text colours, font zoom in the text windows, and the
# high-DPI checks (the same cases again at 1.5 and 2 times).
if(LECTORA_GUI)
  target_sources(lectora_gui PRIVATE
    src/app/DesktopPalette.cpp
    src/app/DesktopPalette.h
    src/display/ContrastColor.cpp
    src/display/ContrastColor.h
    src/display/TextZoom.cpp
    src/display/TextZoom.h
  )
  target_sources(gui_tests PRIVATE
    tests/gui/DarkPaletteTest.cpp
    tests/gui/TextZoomTest.cpp
    tests/gui/HighDpiTest.cpp
  )
  foreach(scale 1.5 2)
    add_test(NAME gui_tests_scale_${scale}
      COMMAND $<TARGET_FILE:gui_tests> --gtest_filter=HighDpi*)
    set_tests_properties(gui_tests_scale_${scale} PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${scale};QT_SCALE_FACTOR_ROUNDING_POLICY=PassThrough")
  endforeach()
endif()
