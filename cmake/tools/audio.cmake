# The chapter audio: read verse by verse from chapter recordings, with the
# verse marks file. The names, the marks file and the estimate are core
# code (no Qt); the reading, the search for the file, the download and the
# editing mode are in src/tools/audio.
target_sources(lectora_store PRIVATE
  src/store/AudioNames.cpp src/store/AudioNames.h
  src/store/AudioMarksFile.cpp src/store/AudioMarksFile.h
  src/store/AudioMarks.cpp src/store/AudioMarks.h)
target_sources(core_tests PRIVATE tests/core/AudioNamesTest.cpp tests/core/AudioMarksTest.cpp)

if(LECTORA_GUI)
  target_sources(lectora_gui PRIVATE
    src/tools/audio/AudioDownload.cpp src/tools/audio/AudioDownload.h
    src/tools/audio/AudioFileDialog.h
    src/tools/audio/AudioPositionField.cpp src/tools/audio/AudioPositionField.h
    src/tools/audio/AudioTool.cpp src/tools/audio/AudioTool.h
    src/tools/audio/ChapterAudio.cpp src/tools/audio/ChapterAudio.h
    src/tools/audio/ChapterAudioEditing.cpp
    src/tools/audio/ChapterFileFinder.cpp src/tools/audio/ChapterFileFinder.h
    src/tools/audio/QtAudioFileDialog.cpp src/tools/audio/QtAudioFileDialog.h)
  target_sources(gui_tests PRIVATE
    tests/gui/AudioFakes.h
    tests/gui/AudioChapterTest.cpp
    tests/gui/AudioDownloadTest.cpp)
  if(LECTORA_BENCHMARKS)
    add_executable(audio_bench bench/audio_bench.cpp bench/GuiBench.cpp)
    target_link_libraries(audio_bench PRIVATE lectora_gui Qt6::Test benchmark::benchmark)
  endif()
endif()
