# Extra wiring of assets_tests: libsndfile to read the sounds, the folder of
# the committed data, and the generator that must reproduce it.
pkg_check_modules(OV_ASSETS_TEST_SNDFILE REQUIRED IMPORTED_TARGET sndfile)
target_link_libraries(assets_tests PRIVATE PkgConfig::OV_ASSETS_TEST_SNDFILE)
target_compile_definitions(assets_tests PRIVATE
  OV_GAME_DATA_DIR="${PROJECT_SOURCE_DIR}/game/Data"
  OV_MAKE_ASSETS="$<TARGET_FILE:ov_make_assets>")
add_dependencies(assets_tests ov_make_assets)
