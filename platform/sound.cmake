# Beep and PlaySoundA: tones and wave sounds through ALSA's default device,
# with a record of every call for the tests.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET alsa)
find_package(Threads REQUIRED)

add_library(platform_sound STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_wave.cpp)
target_include_directories(platform_sound PUBLIC ${PROJECT_SOURCE_DIR})
# Sleep, GetTickCount and the resource lookup come from the core.
target_link_libraries(platform_sound PUBLIC platform_core PRIVATE PkgConfig::ALSA Threads::Threads)
