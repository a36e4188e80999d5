# The sound player the logo window and the chapter audio share.
if(LECTORA_GUI)
  target_sources(lectora_gui PRIVATE src/tools/player/IAudioPlayer.h)
endif()
