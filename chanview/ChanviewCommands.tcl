# The procedures Chanview uploads into the server's interpreter after its
# login: the user-agent queries admin uploads too, so a server shared by both
# programs sees the same procedures, but reading with the server's ASR
# handling left as it is, since the monitor has no ASR helper of its own.
#
# The server receives this text with CR LF line ends, so no line may end in a
# backslash continuation.

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

proc GetCosAgents {Type ParmList} {
    set answer [list GetCosAgents]
    foreach number [lrange [GetUAList4Property COS $Type own] 1 end] {
        if {[catch {GetUA $number $ParmList} record] == 0} {
            lappend answer [lrange $record 1 end]
        }
    }
    return $answer
}

proc ParmsForUAType {Type ParmList UaList} {
    if {$UaList eq "All"} {
        set numbers [lsort [lrange [GetUAList4Property COS $Type notowned] 1 end]]
    } elseif {$UaList eq "AllCOS"} {
        set numbers [lsort [lrange [GetUAList4Property COS $Type owned] 1 end]]
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
        if {[catch {GetUA $number $ParmList} record] == 0} {
            lappend answer [lrange $record 1 end]
        }
    }
    return $answer
}

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
