# The pictures of dictionary words, the logo window, and the program's sound
# player on Qt Multimedia (the logo's start sound; the chapter audio shares
# it through IAudioPlayer).
if(LECTORA_GUI)
  target_sources(lectora_gui PRIVATE
    src/tools/player/MediaAudioPlayer.cpp src/tools/player/MediaAudioPlayer.h)
endif()
