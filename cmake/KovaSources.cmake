# Collects the .cpp and resource files of the given folders (not their subfolders).
function(kova_sources out)
  set(found)
  foreach(dir IN LISTS ARGN)
    file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h
                                      ${CMAKE_SOURCE_DIR}/${dir}/*.qrc)
    list(APPEND found ${files})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
