# Generated resources: the asset generator writes every embedded file into one folder,
# then Embed.cmake turns that folder into an assembler file of .incbin lines plus a
# name table, compiled into qv_assets. Another build's folder can be reused through
# QV_ASSET_DIR (the sanitizer build does this to avoid generating twice).
if(QV_ASSET_DIR)
  set(QV_RES_DIR ${QV_ASSET_DIR})
  set(QV_RES_STAMP ${QV_ASSET_DIR}/.stamp)
else()
  set(QV_RES_DIR ${CMAKE_BINARY_DIR}/res)
  set(QV_RES_STAMP ${QV_RES_DIR}/.stamp)
  file(GLOB_RECURSE QV_ASSET_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/*)
  add_custom_command(
    OUTPUT ${QV_RES_STAMP}
    COMMAND assetgen --assets ${CMAKE_SOURCE_DIR}/assets --out ${QV_RES_DIR}
    DEPENDS assetgen ${QV_ASSET_SOURCES}
    COMMENT "Generating game assets"
    VERBATIM)
  # Determinism check (a developer target): a second run on one thread must write the
  # same bytes as the build's run.
  add_custom_target(asset-determinism
    COMMAND assetgen --assets ${CMAKE_SOURCE_DIR}/assets --out ${CMAKE_BINARY_DIR}/res-again --jobs 1
    COMMAND diff -r ${QV_RES_DIR} ${CMAKE_BINARY_DIR}/res-again
    COMMAND ${CMAKE_COMMAND} -E echo "assetgen: two runs gave identical files"
    DEPENDS assetgen ${QV_RES_STAMP}
    VERBATIM)
endif()

set(QV_EMBED_DIR ${CMAKE_BINARY_DIR}/embed)
add_custom_command(
  OUTPUT ${QV_EMBED_DIR}/embedded.S ${QV_EMBED_DIR}/embedded_table.cpp
  COMMAND ${CMAKE_COMMAND} -DRES_DIR=${QV_RES_DIR} -DOUT_DIR=${QV_EMBED_DIR}
          -P ${CMAKE_SOURCE_DIR}/cmake/Embed.cmake
  DEPENDS ${QV_RES_STAMP} ${CMAKE_SOURCE_DIR}/cmake/Embed.cmake
  COMMENT "Embedding game assets"
  VERBATIM)
add_custom_target(assets DEPENDS ${QV_EMBED_DIR}/embedded.S)
