# The procedures admin uploads into the server's interpreter after each login.
# They gather in one command what would otherwise take one command per user
# agent, run reads and reports with the server's ASR handling switched off,
# and create a user agent with all its follow-up settings in one command.
#
# The server receives this text with CR LF line ends, so no line may end in a
# backslash continuation.
#
# Every answer is a Tcl list led by the procedure's own name, so the command
# channel's reply-word check accepts it. A failure answers the name followed
# by "!ERROR" and the reason, never the reason as if it were data. Calls that
# carry caller data are built as lists, so nothing in a value is evaluated.

proc AllUA {} {
    set answer [list AllUA]
    foreach number [lsort [lrange [GetUAList -sort] 1 end]] {
        lappend answer [lrange [GetUA $number] 1 end]
    }
    return $answer
}

proc MultipleUA {list} {
    set answer [list MultipleUA]
    foreach number $list {
        if {[catch {GetUA $number} record] == 0} {
            lappend answer [lrange $record 1 end]
        }
    }
    return $answer
}

proc Tcl_MailboxStatisticsNoASR {mbList statReport start end} {
    SessionSetProperty 0 " ^^DISABLE_ASR^^" YES
    set code [catch {Tcl_MailboxStatistics $mbList $statReport $start $end} answer options]
    SessionSetProperty 0 " ^^DISABLE_ASR^^" ""
    return -options $options $answer
}

proc Tcl_MailboxInfoReportNoASR {mbList statReport} {
    SessionSetProperty 0 " ^^DISABLE_ASR^^" YES
    set code [catch {Tcl_MailboxInfoReport $mbList $statReport} answer options]
    SessionSetProperty 0 " ^^DISABLE_ASR^^" ""
    return -options $options $answer
}

proc Tcl_MailboxMessageStatReportNoASR {mbList statReport} {
    SessionSetProperty 0 " ^^DISABLE_ASR^^" YES
    set code [catch {Tcl_MailboxMessageStatReport $mbList $statReport} answer options]
    SessionSetProperty 0 " ^^DISABLE_ASR^^" ""
    return -options $options $answer
}

proc Tcl_MailboxReportNoASR {mFirstId mLastId} {
    SessionSetProperty 0 " ^^DISABLE_ASR^^" YES
    set code [catch {Tcl_MailboxReport $mFirstId $mLastId} answer options]
    SessionSetProperty 0 " ^^DISABLE_ASR^^" ""
    return -options $options $answer
}

proc GetUANoASR {id ParmList} {
    SessionSetProperty 0 " ^^DISABLE_ASR^^" YES
    set code [catch {GetUA $id $ParmList} answer options]
    SessionSetProperty 0 " ^^DISABLE_ASR^^" ""
    return -options $options $answer
}

proc GetCosAgents {Type ParmList} {
    set answer [list GetCosAgents]
    foreach number [lrange [GetUAList4Property COS $Type own NOASR] 1 end] {
        if {[catch {GetUANoASR $number $ParmList} record] == 0} {
            lappend answer [lrange $record 1 end]
        }
    }
    return $answer
}

proc ParmsForUAType {Type ParmList UaList} {
    if {$UaList eq "All"} {
        set numbers [lsort [lrange [GetUAList4Property COS $Type notowned NOASR] 1 end]]
    } elseif {$UaList eq "AllCOS"} {
        set numbers [lsort [lrange [GetUAList4Property COS $Type owned NOASR] 1 end]]
    } else {
        set numbers $UaList
    }
    set answer [list ParmsForUAType]
    foreach number $numbers {
        catch {
            set properties [lrange [GetUA $number COS] 1 end]
            set at [lsearch -exact $properties COS]
            if {$at >= 0 && [lindex $properties [expr {$at + 1}]] == $Type} {
                lappend answer [lrange [GetUA $number {*}$ParmList] 1 end]
            }
        }
    }
    return $answer
}

proc ParmsForAnyUA {ParmList UaList} {
    if {$UaList eq "All"} {
        set numbers [lrange [GetUAList -sort] 1 end]
    } else {
        set numbers $UaList
    }
    set answer [list ParmsForAnyUA]
    foreach number $numbers {
        if {[catch {GetUANoASR $number $ParmList} record] == 0} {
            lappend answer [lrange $record 1 end]
        }
    }
    return $answer
}

# A range is compared as an interval against the numbers that exist, so a
# range as wide as the number space answers at once.
proc CheckExistUA {list} {
    set known [lrange [GetUAList] 1 end]
    set hits {}
    foreach element $list {
        switch -- [llength $element] {
            1 {
                if {[lsearch -exact $known $element] >= 0} {
                    lappend hits $element
                }
            }
            2 {
                lassign $element low high
                if {![string is entier -strict $low] || ![string is entier -strict $high]} {
                    error "range ends are not numbers: $element"
                }
                set found {}
                foreach number $known {
                    if {[regexp {^(0|-?[1-9][0-9]*)$} $number] && $number >= $low && $number <= $high} {
                        lappend found $number
                    }
                }
                lappend hits {*}[lsort -integer -unique $found]
            }
            default {
                set hits [list -1 "Bad argument:" $element]
                break
            }
        }
    }
    return [list CheckExistUA $hits]
}

proc MinCreateUA {id sac parentId scenarioId sa} {
    if {[catch {
        CreateUA $id $sac $parentId $scenarioId $sa
        set answer [UpdateUA $id WithForce &Ext $id]
        if {[lindex $answer 0] eq "!ERROR"} {
            set answer [linsert $answer 0 MinCreateUA]
        } else {
            set answer [linsert [lrange $answer 1 end] 0 MinCreateUA]
        }
        lappend answer $id
    } answer]} {
        return [list MinCreateUA !ERROR $answer $id]
    }
    return $answer
}

proc MinCopyUA {source dest} {
    if {[catch {
        CopyUA $source $dest
        UpdateUA $dest WithForce &Ext $dest
        UpdateUA $dest WithForce &Comment {}
        UpdateUA $dest WithForce &Name1 {}
        set answer [UpdateUA $dest WithForce &Name2 {}]
        if {[lindex $answer 0] eq "!ERROR"} {
            set answer [linsert $answer 0 MinCopyUA]
        } else {
            set answer [linsert [lrange $answer 1 end] 0 MinCopyUA]
        }
        lappend answer $dest
    } answer]} {
        return [list MinCopyUA !ERROR $answer $dest]
    }
    return $answer
}

proc GetNotifications {ua eventList} {
    if {[catch {
        set answer [list GetNotifications]
        foreach event $eventList {
            foreach map [lrange [GetEventMaps4Event $ua $event] 1 end] {
                lappend answer [lrange [GetEventMap $map] 1 end]
            }
        }
        set answer
    } answer]} {
        return [list GetNotifications !ERROR $answer]
    }
    return $answer
}

proc GetEventMaps4UA {ua} {
    if {[catch {
        set scenario [lindex [GetUA $ua {}] 1 3]
        set answer [GetEventMaps4Scenario $scenario]
        if {[lindex $answer 0] eq "!ERROR"} {
            linsert $answer 0 GetEventMaps4UA
        } else {
            linsert [lrange $answer 1 end] 0 GetEventMaps4UA
        }
    } answer]} {
        return [list GetEventMaps4UA !ERROR $answer]
    }
    return $answer
}

proc GetRemoteUsersList {} {
    set answer [list GetRemoteUsersList]
    foreach name [lrange [ListRemoteUsers] 1 end] {
        lappend answer [lrange [GetRemoteUser $name] 1 end]
    }
    return $answer
}

# Creates user agent $id and gives it its settings. Every server call runs
# under its own catch, so one refusal never stops the sequence; a raised error
# counts as a refusal. The answer is "CreateUAFromAdmin !ERROR" exactly when
# no creation call succeeded.
proc CreateUAFromAdmin {min max id m_nRootCOS m_nCOS m_nInvisibleCOS m_nScenario m_bMakeCOS m_createmode
                        m_nDefaultScenario nNewSAC sa cosivr cosamisproxy m_bRootExist} {
    # One server call; a raised error answers "<command> !ERROR <reason>".
    set call {{args} {
        if {[catch {{*}$args} result]} {
            return [list [lindex $args 0] !ERROR $result]
        }
        return $result
    }}
    # True when an answer is a refusal: it holds "!ERROR" or is no list.
    set refused {{answer} {
        expr {[catch {lsearch -exact $answer !ERROR} at] || $at >= 0}
    }}
    set trace {{text} {catch {tTrace $text}}}

    set x 0
    set scresult [list CreateUAFromAdmin]
    for {set pass $min} {$pass < $max} {incr pass} {
        apply $trace "setting x and scresult to 0"
        set x 0
        set scresult [list CreateUAFromAdmin]

        # The creation blocks that apply, in order: the call to make, the
        # trace tag of its answer and the trace of its success.
        set blocks {}
        if {$m_nCOS != $m_nInvisibleCOS} {
            if {$m_createmode == 0} {
                lappend blocks [list MinCreateUA "createua 0" "setting x to 1 in createua 0\n"]
            } elseif {$m_createmode == 1} {
                lappend blocks [list CreateUA "createua 2" "setting x to 1 in createua 2\n"]
            } elseif {$m_createmode == 4} {
                lappend blocks [list CreateUA "createua 3" "setting x to 1 in createua 3\n"]
            }
        }
        if {$m_nInvisibleCOS == $m_nRootCOS} {
            if {$m_createmode == 0} {
                lappend blocks [list CreateUA "" "setting x to 1  in createua \n"]
            } elseif {$m_createmode == 1} {
                lappend blocks [list CreateUA "createua 5" "setting x to 1 in createua 5\n"]
            } elseif {$m_createmode == 4} {
                lappend blocks [list CreateUA "createua 6" "setting x to 1 in createua 6"]
            }
        }

        foreach block $blocks {
            lassign $block command tag successTrace
            if {$m_nCOS == $cosivr} {
                set scenario [apply $call CreateScenario -1 0 "IVR Scenario for $id"]
                if {[apply $refused $scenario]} {
                    continue
                }
                set m_nScenario [lindex $scenario 1]
            } else {
                set m_nScenario -1
            }
            set result [apply $call $command $id $nNewSAC $m_nCOS $m_nScenario $sa]
            if {$tag ne ""} {
                apply $trace "$tag $result\n"
            }
            set succeeded [expr {![apply $refused $result]}]
            if {$succeeded && $tag eq ""} {
                # The bare creation answers 0 when it made nothing.
                set succeeded [expr {![string is entier -strict $result] || $result != 0}]
            }
            if {$succeeded} {
                set x 1
                apply $trace $successTrace
            }
            lappend scresult $result
        }

        # The model road, when no block created the user agent.
        if {!$x} {
            if {$m_createmode == 2} {
                set result [apply $call CopyUA $m_nRootCOS $id]
                apply $trace "copyua 1 $result\n"
                set successTrace "setting x to 1 in copyua"
            } elseif {$m_bRootExist == 1} {
                set result [apply $call MinCopyUA $m_nRootCOS $id]
                apply $trace "MinCopyua 1 $result\n"
                set successTrace "setting x to 1 in MinCopyUA"
            } else {
                set result [apply $call CreateUA $id $nNewSAC $m_nCOS $m_nScenario $sa]
                apply $trace "createua 7 $result\n"
                set successTrace "setting x to 1 in createua 7"
            }
            if {![apply $refused $result]} {
                set x 1
                apply $trace $successTrace
            }
            lappend scresult $result
        }

        if {$x} {
            apply $trace "basic creartion completed\n"
            if {$m_nCOS == $cosivr} {
                lappend scresult [apply $call SetUAScenario $id WithForce $m_nScenario]
            } elseif {$m_nCOS == $cosamisproxy} {
                set result [apply $call UpdateUA $id WithForce AmisProxyDestinationMailBox $id]
                apply $trace "updateua 1 $result\n"
                lappend scresult $result
            }
            apply $trace "Finished MinCopy About to change SAC \n"
            if {$m_bMakeCOS == 1} {
                set result [apply $call UpdateUA $id WithForce COS MB]
                apply $trace "updateua 2 $result\n"
                lappend scresult $result
            }
            set result [apply $call SetUASAC $id WITHFORCE $nNewSAC DONOTSETCHANGED]
            apply $trace "SetUASAC $id $result\n"
            if {[apply $refused $result]} {
                apply $trace "SetUASAC $id $nNewSAC failed $result"
            }
            if {$m_createmode == 2} {
                set clearing [list &Ext $id &Name1 {} &Name2 {} &Comment {} &POP3Psw {} &POP3Account {} AIM 0]
                set result [apply $call UpdateUA $id WithForce {*}$clearing]
                apply $trace "updateua 3 $result\n"
                lappend scresult $result
            }
        }
    }
    if {!$x} {
        return [list CreateUAFromAdmin !ERROR]
    }
    return $scresult
}
