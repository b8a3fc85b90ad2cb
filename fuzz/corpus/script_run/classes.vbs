' Classes: fields, Property Get/Let/Set, default members, Me, Initialize/Terminate, reference semantics.
Class Counter
    Private m_count
    Public Name
    Private Sub Class_Initialize() : m_count = 0 : Name = "c" : End Sub
    Private Sub Class_Terminate() : WScript.Echo "bye " & Name : End Sub
    Public Default Property Get Count() : Count = m_count : End Property
    Public Property Let Count(v) : m_count = v : End Property
    Public Function Add(n) : m_count = m_count + n : Set Add = Me : End Function
    Public Sub Bump(ByRef v) : v = v + m_count : End Sub
End Class
Class Holder
    Private m_obj
    Public Property Set Obj(o) : Set m_obj = o : End Property
    Public Property Get Obj() : Set Obj = m_obj : End Property
    Public Items(2)
End Class
Set c = New Counter
c.Add(2).Add 3
WScript.Echo c.Count, c, "v=" & c, TypeName(c)   ' expect: 5 5 v=5 Counter
c.Count = 10 : WScript.Echo c.Count              ' expect: 10
Set d = c : d.Count = 7 : WScript.Echo c.Count   ' expect: 7
v = 1 : c.Bump v : WScript.Echo v                ' expect: 8
Set h = New Holder
Set h.Obj = c : WScript.Echo h.Obj.Count         ' expect: 7
h.Items(1) = "it" : WScript.Echo h.Items(1), UBound(h.Items)  ' expect: it 2
c.Name = "first"
Set h = Nothing : Set d = Nothing
Set c = Nothing                                  ' expect: bye first
WScript.Echo "after"                             ' expect: after
Set c = New Counter : c.Name = "second"
Set c = New Counter                              ' expect: bye second
c.Name = "third"
WScript.Echo c.m_count                           ' expect runtime error: Object doesn't support this property or method
