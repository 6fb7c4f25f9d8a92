# Sources of src/platform, added to the core library.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/codepage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commandline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/folderlock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numtext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/places.cpp
  ${CMAKE_CURRENT_LIST_DIR}/random.cpp
  ${CMAKE_CURRENT_LIST_DIR}/respath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/seqfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/twips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/webopener.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/clip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/dc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/dib.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/draw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/drawtext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/metafile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/player.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/rasterop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer.cpp
)
