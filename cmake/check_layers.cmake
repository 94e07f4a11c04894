# Fails when a source includes a folder above its own layer, or when a desktop-free
# file (not named *_win) of core/, engine/ or actions/ includes <windows.h>.
# Layers, lowest first: platform, core, engine, actions, app, then the programs.
#   cmake -DROOT=<source dir> -P check_layers.cmake
set(allowed_platform "platform")
set(allowed_core "platform|core")
set(allowed_engine "platform|core|engine")
set(allowed_actions "platform|core|engine|actions")
set(allowed_app "platform|core|engine|actions|app")
set(problems "")
foreach(layer platform core engine actions app)
  file(GLOB_RECURSE files "${ROOT}/${layer}/*.cpp" "${ROOT}/${layer}/*.h")
  foreach(f ${files})
    file(STRINGS "${f}" includes REGEX "^#include [\"<]")
    file(RELATIVE_PATH rel "${ROOT}" "${f}")
    foreach(line ${includes})
      if(line MATCHES "^#include \"([a-z_]+)/" AND NOT CMAKE_MATCH_1 MATCHES "^(${allowed_${layer}})$")
        string(APPEND problems "  ${rel}: ${line} (${layer}/ may include only ${allowed_${layer}})\n")
      endif()
      if(line MATCHES "^#include <windows\\.h>" AND layer MATCHES "^(core|engine|actions)$"
         AND NOT rel MATCHES "_win\\.(cpp|h)$")
        string(APPEND problems "  ${rel}: ${line} (only *_win files may include it)\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "Layering broken:\n${problems}")
endif()
