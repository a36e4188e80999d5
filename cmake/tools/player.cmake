# The program's sound player on Qt Multimedia, which the logo window and the
# chapter audio share through IAudioPlayer.
if(LECTORA_GUI)
  target_sources(lectora_gui PRIVATE
    src/tools/player/IAudioPlayer.h
    src/tools/player/MediaAudioPlayer.cpp src/tools/player/MediaAudioPlayer.h)
  # The player on a real output: a PulseAudio server of the test's own with
  # a null sink (the plain run leaves these cases out); a skip fails it.
  target_sources(gui_tests PRIVATE tests/gui/AudioPlaybackTest.cpp)
  add_test(NAME gui_tests_sound
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-null-sink $<TARGET_FILE:gui_tests>
            --gtest_filter=AudioPlaybackOnSoundOutput.*)
  set_tests_properties(gui_tests_sound PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan-system.supp"
    FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
endif()
