# The verse notes: the RTF reader and writer of the core (Qt-free, fuzzed),
# the notes store and the notes window.
target_sources(lectora_store PRIVATE
  src/store/rtf/RtfParser.cpp
  src/store/rtf/RtfWriter.cpp
)
target_sources(core_tests PRIVATE
  tests/core/RtfReaderTest.cpp
  tests/core/RtfWriterTest.cpp
)
target_compile_definitions(core_tests PRIVATE LECTORA_RTF_SAMPLES="${CMAKE_SOURCE_DIR}/tests/data/rtf/")

if(LECTORA_GUI)
  target_sources(lectora_gui PRIVATE
    src/tools/notes/NoteBook.h
    src/tools/notes/NoteEdit.cpp
    src/tools/notes/NoteFiles.cpp
    src/tools/notes/NoteForm1.cpp
    src/tools/notes/NoteForm1Notes.cpp
    src/tools/notes/NotesJournal.cpp
    src/tools/notes/NotesStore.cpp
    src/tools/notes/RtfTextDocument.cpp
  )
  target_sources(gui_tests PRIVATE
    tests/gui/NoteForm1Test.cpp
    tests/gui/NotesStoreTest.cpp
    tests/gui/NoteRtfDocumentTest.cpp
  )
endif()

if(LECTORA_GUI AND LECTORA_BENCHMARKS)
  add_executable(notes_bench bench/notes_bench.cpp bench/GuiBench.cpp)
  target_link_libraries(notes_bench PRIVATE lectora_gui benchmark::benchmark)
  target_compile_definitions(notes_bench PRIVATE LECTORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()

if(LECTORA_FUZZ)
  add_executable(rtf_fuzz fuzz/RtfFuzz.cpp)
  target_compile_options(rtf_fuzz PRIVATE -fsanitize=fuzzer ${LECTORA_FUZZ_FLAGS})
  target_link_options(rtf_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(rtf_fuzz PRIVATE lectora_core)
endif()
