# The reader's own link tree: the file format in the core (fuzzed), the
# tree control, its dialog and the links page of the left panel.
target_sources(lectora_store PRIVATE src/store/LinkTreeFile.h src/store/LinkTreeFile.cpp)
if(TARGET core_tests)
  target_sources(core_tests PRIVATE tests/core/LinkTreeFileTest.cpp
                                    tests/core/LinkTreeCrashTest.cpp)
endif()

if(LECTORA_GUI)
  target_sources(lectora_gui PRIVATE
    src/tools/links/LinkOutline.h src/tools/links/LinkOutline.cpp
    src/tools/links/LinkForm1.h src/tools/links/LinkForm1.cpp
    src/tools/links/OpenDialog1.h src/tools/links/OpenDialog1.cpp
    src/tools/links/LinkContext.h
    src/tools/links/LinksPage.h src/tools/links/LinksPage.cpp)
  target_sources(gui_tests PRIVATE tests/gui/LinkOutlineTest.cpp tests/gui/LinksPageTest.cpp)
endif()

if(LECTORA_BENCHMARKS AND LECTORA_GUI)
  add_executable(linktree_bench bench/linktree_bench.cpp)
  target_link_libraries(linktree_bench PRIVATE lectora_gui benchmark::benchmark)
endif()

if(LECTORA_FUZZ)
  add_executable(linktree_fuzz fuzz/LinkTreeFuzz.cpp)
  target_compile_options(linktree_fuzz PRIVATE -fsanitize=fuzzer ${LECTORA_FUZZ_FLAGS})
  target_link_options(linktree_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(linktree_fuzz PRIVATE lectora_core)
endif()
