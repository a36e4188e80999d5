# The pictures of dictionary words and the logo window.
if(LECTORA_GUI)
  target_sources(lectora_gui PRIVATE
    src/tools/picture/PictureList.cpp src/tools/picture/PictureList.h
    src/tools/picture/PictureLoader.cpp src/tools/picture/PictureLoader.h
    src/tools/picture/PictureForm1.cpp src/tools/picture/PictureForm1.h
    src/tools/picture/WordPictures.h
    src/tools/logo/LogoForm1.cpp src/tools/logo/LogoForm1.h
    src/tools/logo/LogoWindow.h)
  # The logo shows the build's version.
  set_property(SOURCE src/tools/logo/LogoForm1.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS LECTORA_VERSION="${PROJECT_VERSION}")
  target_sources(gui_tests PRIVATE tests/gui/PictureForm1Test.cpp tests/gui/LogoForm1Test.cpp)
  if(LECTORA_BENCHMARKS)
    add_executable(picture_bench bench/picture_bench.cpp bench/GuiBench.cpp)
    target_link_libraries(picture_bench PRIVATE lectora_gui benchmark::benchmark)
  endif()
endif()
