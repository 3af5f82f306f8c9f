# Procedures written from the description of what the administration
# program uploads after login, for checking that the simulator's commands
# answer in the shapes those procedures rely on.  Sent as one command.

proc AllUA {} {
    set result AllUA
    foreach id [lsort [lrange [GetUAList -sort] 1 end]] {
        lappend result [lrange [GetUA $id] 1 end]
    }
    return $result
}

proc MultipleUA {list} {
    set result MultipleUA
    foreach id $list {
        if {[catch {GetUA $id} answer] == 0} {
            lappend result [lrange $answer 1 end]
        }
    }
    return $result
}

proc GetUANoASR {id ParmList} {
    SessionSetProperty 0 " ^^DISABLE_ASR^^" YES
    set code [catch {GetUA $id $ParmList} answer]
    SessionSetProperty 0 " ^^DISABLE_ASR^^" ""
    if {$code} {
        error $answer
    }
    return $answer
}

proc GetCosAgents {Type ParmList} {
    set result GetCosAgents
    foreach id [lrange [GetUAList4Property COS $Type own NOASR] 1 end] {
        if {[catch {eval "GetUANoASR $id $ParmList"} answer] == 0} {
            lappend result [lrange $answer 1 end]
        }
    }
    return $result
}

proc ParmsForUAType {Type ParmList UaList} {
    set result ParmsForUAType
    if {$UaList eq "All"} {
        set UaList [lsort [lrange [GetUAList4Property COS $Type notowned NOASR] 1 end]]
    } elseif {$UaList eq "AllCOS"} {
        set UaList [lsort [lrange [GetUAList4Property COS $Type owned NOASR] 1 end]]
    }
    foreach id $UaList {
        catch {
            set answer [lrange [eval "GetUA $id COS"] 1 end]
            set at [lsearch -exact $answer COS]
            if {$at >= 0 && [lindex $answer [expr {$at + 1}]] == $Type} {
                lappend result [lrange [eval "GetUA $id $ParmList"] 1 end]
            }
        }
    }
    return $result
}

proc CheckExistUA {list} {
    set hits {}
    set reference [GetUAList]
    foreach element $list {
        switch [llength $element] {
            1 {
                if {[lsearch -exact $reference $element] >= 0} {
                    lappend hits $element
                }
            }
            2 {
                lassign $element a b
                for {set i $a} {$i <= $b} {incr i} {
                    if {[lsearch -exact $reference $i] >= 0} {
                        lappend hits $i
                    }
                }
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
    catch {
        CreateUA $id $sac $parentId $scenarioId $sa
        UpdateUA $id WithForce &Ext $id
    } answer
    lset answer 0 MinCreateUA
    lappend answer $id
}

proc MinCopyUA {source dest} {
    catch {
        CopyUA $source $dest
        UpdateUA $dest WithForce &Ext $dest
        UpdateUA $dest WithForce &Comment {}
        UpdateUA $dest WithForce &Name1 {}
        UpdateUA $dest WithForce &Name2 {}
    } answer
    lset answer 0 MinCopyUA
    lappend answer $dest
}

proc GetNotifications {ua eventList} {
    catch {
        set result GetNotifications
        foreach event $eventList {
            foreach id [lrange [GetEventMaps4Event $ua $event] 1 end] {
                lappend result [lrange [GetEventMap $id] 1 end]
            }
        }
        set result
    } answer
    lset answer 0 GetNotifications
    return $answer
}

proc GetEventMaps4UA {ua} {
    catch {
        set header [lindex [GetUA $ua {}] 1]
        GetEventMaps4Scenario [lindex $header 3]
    } answer
    lset answer 0 GetEventMaps4UA
    return $answer
}

proc GetRemoteUsersList {} {
    set result GetRemoteUsersList
    foreach name [lrange [ListRemoteUsers] 1 end] {
        lappend result [lrange [GetRemoteUser $name] 1 end]
    }
    return $result
}

proc CreateUAFromAdmin {min max id m_nRootCOS m_nCOS m_nInvisibleCOS m_nScenario m_bMakeCOS
        m_createmode m_nDefaultScenario nNewSAC sa cosivr cosamisproxy m_bRootExist} {
    for {set pass $min} {$pass < $max} {incr pass} {
        set collected CreateUAFromAdmin
        set x 0
        tTrace "setting x and scresult to 0"
        foreach {block condition call test} {
            A {$m_nCOS != $m_nInvisibleCOS && $m_createmode == 0} {MinCreateUA $id $nNewSAC $m_nCOS $m_nScenario $sa} error
            B {$m_nCOS != $m_nInvisibleCOS && $m_createmode == 1} {CreateUA $id $nNewSAC $m_nCOS $m_nScenario $sa} error
            C {$m_nCOS != $m_nInvisibleCOS && $m_createmode == 4} {CreateUA $id $nNewSAC $m_nCOS $m_nScenario $sa} bang
            D {$m_nInvisibleCOS == $m_nRootCOS && $m_createmode == 0} {CreateUA $id $nNewSAC $m_nCOS $m_nScenario $sa} zero
            E {$m_nInvisibleCOS == $m_nRootCOS && $m_createmode == 1} {CreateUA $id $nNewSAC $m_nCOS $m_nScenario $sa} error
            F {$m_nInvisibleCOS == $m_nRootCOS && $m_createmode == 4} {CreateUA $id $nNewSAC $m_nCOS $m_nScenario $sa} error
        } {
            if {![expr $condition]} {
                continue
            }
            if {$m_nCOS == $cosivr} {
                if {[catch {CreateScenario -1 0 "IVR Scenario for $id"} scenario]
                    || [lsearch -exact $scenario !ERROR] >= 0} {
                    continue
                }
                set m_nScenario [lindex $scenario 1]
            } else {
                set m_nScenario -1
            }
            catch $call result
            switch $test {
                error { set ok [expr {[lsearch -exact $result !ERROR] < 0}] }
                bang { set ok [expr {[lsearch -exact $result !] < 0}] }
                zero { set ok [expr {$result ne "0" && [lsearch -exact $result !ERROR] < 0}] }
            }
            if {$ok} {
                set x 1
            }
            lappend collected $result
        }
        if {$m_createmode == 2 && !$x} {
            catch {CopyUA $m_nRootCOS $id} result
            if {[lsearch -exact $result !ERROR] < 0} { set x 1 }
            lappend collected $result
        } elseif {$m_createmode != 2 && !$x} {
            if {$m_bRootExist == 1} {
                catch {MinCopyUA $m_nRootCOS $id} result
            } else {
                catch {CreateUA $id $nNewSAC $m_nCOS $m_nScenario $sa} result
            }
            if {[lsearch -exact $result !ERROR] < 0} { set x 1 }
            lappend collected $result
        }
        if {$x} {
            tTrace "basic creartion completed\n"
            if {$m_nCOS == $cosivr} {
                catch {SetUAScenario $id WithForce $m_nScenario} result
                lappend collected $result
            } elseif {$m_nCOS == $cosamisproxy} {
                catch {UpdateUA $id WithForce AmisProxyDestinationMailBox $id} result
                lappend collected $result
            }
            if {$m_bMakeCOS == 1} {
                catch {UpdateUA $id WithForce COS MB} result
                lappend collected $result
            }
            catch {SetUASAC $id WITHFORCE $nNewSAC DONOTSETCHANGED} result
            if {$m_createmode == 2} {
                set clearing [list &Ext $id &Name1 {} &Name2 {} &Comment {} &POP3Psw {} &POP3Account {} AIM 0]
                catch {UpdateUA $id WithForce {*}$clearing} result
                lappend collected $result
            }
        }
    }
    if {!$x} {
        return {CreateUAFromAdmin !ERROR}
    }
    return $collected
}
