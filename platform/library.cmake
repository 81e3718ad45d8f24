# Run-time library loading (LoadLibraryA, GetProcAddress, FreeLibrary) and
# the common program files folder (SHGetSpecialFolderPathA).
add_library(platform_library STATIC
  ${CMAKE_CURRENT_LIST_DIR}/library.cpp
  ${CMAKE_CURRENT_LIST_DIR}/library_shell_folder.cpp)
target_include_directories(platform_library PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(platform_library PUBLIC ${CMAKE_DL_LIBS})
