# Each argument list must be refused with exit code 2 and the usage text.
function(refuse)
  foreach(bad ${ARGV})
    string(REPLACE "," ";" args "${bad}")
    execute_process(COMMAND ${PROG} ${args} RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 2)
      message(FATAL_ERROR "'${bad}' gave exit code ${rc}, expected 2")
    endif()
    if(NOT err MATCHES "Usage")
      message(FATAL_ERROR "'${bad}' printed no usage: ${err}")
    endif()
  endforeach()
endfunction()

# Runs the program's headless render as a user would, and its usage errors.
file(REMOVE ${OUT}/monde.png)
execute_process(COMMAND ${PROG} --png ${OUT}/monde.png --size 400x300 RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "--png failed (${rc}): ${err}")
endif()
if(NOT EXISTS ${OUT}/monde.png)
  message(FATAL_ERROR "--png wrote no file")
endif()
execute_process(COMMAND ${PROG} --png ${OUT}/zone.png --zone 50.00 44.00 6.00 -3.00 RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "--png --zone failed (${rc})")
endif()
refuse("--png" "--png,x.png,--size,12" "--png,x.png,--zone,1,2,3" "--png,x.png,--zone,95,0,0,1"
       "--png,x.png,--zone,4a,0,0,1" "--size,10x10" "--inconnu" "--png,x.png,--date,30/02/2001")

# --distance: the read-out and its errors.
execute_process(COMMAND ${PROG} --distance 46.30 1.47 40.00 60.00 RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "--distance failed (${rc})")
endif()
foreach(ligne "Distance orthodromique : 2515.6 milles" "Distance loxodromique : 2570.18 milles"
              "Cap loxodromique : 261.272°" "Points intermédiaires : 16" "Point 1 : 46.4965 4.0000 cap "
              "Point 16 : 40.3520 58.3469 cap " "Arrivée : 40.0000 60.0000 cap ")
  string(FIND "${out}" "${ligne}" pos)
  if(pos EQUAL -1)
    message(FATAL_ERROR "--distance: missing '${ligne}' in:\n${out}")
  endif()
endforeach()
refuse("--distance" "--distance,1,2,3" "--distance,1,2,3,x" "--distance,91,0,0,0"
       "--distance,0,0,-90.5,0" "--distance,1,2,3,4,5")

# --classement: the day's table, a missing day, a bad date.
execute_process(COMMAND ${PROG} --classement 06/12/2000 RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "--classement failed (${rc})")
endif()
string(REGEX MATCHALL "\n" nl "${out}")
list(LENGTH nl n)
if(NOT n EQUAL 26)
  message(FATAL_ERROR "--classement printed ${n} lines, expected 26:\n${out}")
endif()
foreach(ligne "Pos  Skipper    Bateau" "=========" "\n1  " "\nNC Marvelle" "Abandon - d")
  string(FIND "${out}" "${ligne}" pos)
  if(pos EQUAL -1)
    message(FATAL_ERROR "--classement: missing '${ligne}' in:\n${out}")
  endif()
endforeach()
execute_process(COMMAND ${PROG} --classement 25/11/2000 RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "Non disponible : autre date \\?")
  message(FATAL_ERROR "a missing day gave ${rc}: ${err}")
endif()
refuse("--classement" "--classement,31/11/2000" "--classement,29/02/2001" "--classement,1/13/2000"
       "--classement,10-11-2000" "--classement,10/11/00" "--classement,29/02/2100" "--classement,29/02/1900"
       "--classement,01/01/0000" "--actualiser,--date,29/02/2100")
# 29 February of a leap year is a day; of 2100 it is none (above).
execute_process(COMMAND ${PROG} --classement 29/02/2000 RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "29/02/2000 is a date without a day file, it gave ${rc}: ${err}")
endif()
execute_process(COMMAND ${PROG} --statistiques --csv "" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "--csv")
  message(FATAL_ERROR "--csv without a name gave ${rc}: ${err}")
endif()

# --help and -h: the usage text on stdout, exit code 0.
foreach(opt --help -h)
  execute_process(COMMAND ${PROG} ${opt} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "Usage :" OR NOT out MATCHES "--classement")
    message(FATAL_ERROR "${opt} gave ${rc}: ${out} ${err}")
  endif()
endforeach()

# No note from Qt about XDG_RUNTIME_DIR on the command line.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_RUNTIME_DIR
                ${PROG} --png ${OUT}/petit.png --size 80x60 RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR err MATCHES "XDG_RUNTIME_DIR")
  message(FATAL_ERROR "--png printed: ${err}")
endif()

# One meridian in two spellings: no points, no nan; the long way round
# taken the short way in both orders.
foreach(args "0;10.6;0;11" "10;5;20;5.000000000000001")
  execute_process(COMMAND ${PROG} --distance ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 0 OR out MATCHES "nan" OR NOT out MATCHES "Points intermédiaires : 0")
    message(FATAL_ERROR "--distance ${args}: ${out}")
  endif()
endforeach()
foreach(args "40.00;-94.00;40.00;14.00" "40.00;14.00;40.00;-94.00")
  execute_process(COMMAND ${PROG} --distance ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  if(NOT out MATCHES "Distance loxodromique : 4963.97 milles" OR out MATCHES " -[2-9][0-9]\\.[0-9]+ [0-9.-]+ cap")
    message(FATAL_ERROR "--distance ${args}: ${out}")
  endif()
endforeach()

# The ranking under a French locale: the decimal comma.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=fr_FR.UTF-8 LANG=fr_FR.UTF-8
                ${PROG} --classement 12/11/2000 RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "[0-9],[0-9] +nds")
  message(FATAL_ERROR "--classement under fr_FR: ${out}")
endif()
refuse("--zone,1,2,3,4" "--png" "--png,x.png,--png,y.png" "--distance,1,2,3,4,--classement,12/11/2000" "extra")

# --actualiser: the sample page of the day after the archive, read back.

get_filename_component(bin ${PROG} DIRECTORY)
file(REMOVE ${bin}/110301.txt)
execute_process(COMMAND ${PROG} --actualiser --source ${bin}/exemple-classement.html --date 11/03/2001
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "110301.txt")
  message(FATAL_ERROR "--actualiser gave ${rc}: ${out} ${err}")
endif()
execute_process(COMMAND ${PROG} --classement 11/03/2001 RESULT_VARIABLE rc OUTPUT_VARIABLE out)
file(REMOVE ${bin}/110301.txt)
# The finishers, and the three retired entrants the page gives without a
# position.
if(NOT rc EQUAL 0 OR NOT out MATCHES "Arriv" OR NOT out MATCHES "Abandon - safran")
  message(FATAL_ERROR "the day written by --actualiser: ${out}")
endif()
execute_process(COMMAND ${PROG} --actualiser --source ${bin}/absente.html --date 11/03/2001
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "Classement introuvable")
  message(FATAL_ERROR "a missing page gave ${rc}: ${err}")
endif()
refuse("--actualiser,--zone,1,2,3,4" "--source,x.html" "--actualiser,--date,31/02/2001")
